# The floors of src/ and the simulator, lowest first. A file may include its own folder and any
# folder on a lower floor; an include that points to a higher floor, or sideways to another folder
# of the same floor (two screen folders, say), fails the build. One line a floor. The simulator's
# folders are named with their "server/" prefix; "server" alone is its top, main.cpp's folder.
set(TARVELLO_FLOORS
  "base text"
  "storage"
  "traffic"
  "settings"
  "protocol"
  "market"
  "info"
  "web"
  "server/market"
  "server/figures"
  "server/site"
  "server/wire"
  "server/network"
  "server"
  "platform"
  "navigation"
  "shell detail kline lists futures markup account brokers alerts"
  "app")
