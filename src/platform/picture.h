// Picture: one of the program's picture files ("Picture/back.jpg", "Picture/Menu3.png", ...),
// loaded from the program folder, or else from the folder of the pictures shipped with the program. A file that is missing or unreadable gives an empty picture,
// which every canvas skips, so a missing picture never stops a screen from drawing.
// Load on the user-interface thread; a loaded picture may then be drawn from any paint.
#pragma once

#include <QImage>
#include <string>
#include <string_view>

namespace tarvello {

class Picture {
 public:
  Picture() = default;
  // Loads name (relative to the program folder, either separator) by its content, whatever its
  // extension says.
  static Picture Load(std::string_view name);
  static Picture FromImage(std::string name, QImage image);

  const std::string& name() const { return name_; }
  bool IsEmpty() const { return image_.isNull(); }
  const QImage& image() const { return image_; }

 private:
  std::string name_;
  QImage image_;
};

}  // namespace tarvello
