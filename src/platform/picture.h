// Picture: one of the program's picture files ("Picture/back.jpg", "Picture/Menu3.png", ...),
// loaded from the program folder, or else from the folder of the pictures shipped with the
// program. A file that is missing or unreadable gives an empty picture, which every canvas
// skips, so a missing picture never stops a screen from drawing.
//
// A picture is drawn at a few sizes only (its box on each screen that shows it), so it keeps what
// it is drawn at: scaled smoothly once per size, a paint then only copies it. Every load of the
// same file shares one decoded picture, and once a file's picture has been scaled its full-size
// decoding is let go; a later new size reads the file again, and the picture then keeps it.
// Copies share everything.
//
// Thread rules: load on the user-interface thread; a loaded picture may then be drawn from any
// paint (the scaled copies are kept under a lock).
#pragma once

#include <QImage>
#include <QSize>
#include <memory>
#include <string>
#include <string_view>

namespace tarvello {

class Picture {
 public:
  // The sizes a picture keeps scaled copies of; the one drawn longest ago goes first.
  static constexpr std::size_t kKeptSizes = 6;

  Picture() = default;
  // Loads name (relative to the program folder, either separator) by its content, whatever its
  // extension says.
  static Picture Load(std::string_view name);
  static Picture FromImage(std::string name, QImage image);

  const std::string& name() const { return name_; }
  bool IsEmpty() const { return decoded_ == nullptr; }
  // The picture at the given size in pixels; a null image for an empty picture.
  QImage ScaledTo(QSize pixels) const;

  // What every copy and every load of one file share; known to picture.cpp only.
  struct Decoded;

 private:
  std::string name_;
  std::shared_ptr<Decoded> decoded_;  // null for an empty picture
};

}  // namespace tarvello
