# The layer map: each layer of src/, lowest first, with what its files may include besides
# their own layer. An entry names a layer ("trace") or one header of a layer
# ("link/qt/serial_port.h"). A core/ folder never includes Qt or a qt/ folder. Tools, tests,
# benchmarks and fuzz targets sit on top and may include any layer.
# cmake/CheckLayers.cmake (the test "layers_respected") holds every file of src/ to it.
set(LUMORA_LAYERS
  "base:"
  "trace:base"
  "link:base trace"
  "history:base trace link"
  "setup:base trace link/qt/serial_port.h"
  "view:base trace"
  "app:base trace link history setup view"
)
