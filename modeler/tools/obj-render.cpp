// Renders an OBJ file of display records to a PNG picture:
//   obj-render IN.obj OUT.png [WIDTH HEIGHT]
#include "ObjRaster.h"
#include "dialogs/Png.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: obj-render IN.obj OUT.png [WIDTH HEIGHT]\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    ObjScene scene;
    if (!in || !parseObj(text.str(), scene)) {
        std::fprintf(stderr, "obj-render: nothing to draw in %s\n", argv[1]);
        return 1;
    }
    int width = argc > 4 ? std::atoi(argv[3]) : 640, height = argc > 4 ? std::atoi(argv[4]) : 480;
    if (width < 16 || height < 16 || width > 8192 || height > 8192) {
        std::fprintf(stderr, "obj-render: a size from 16 to 8192 pixels, please\n");
        return 2;
    }
    Picture picture = renderScene(scene, width, height);
    dlg::RgbImage image;
    image.width = picture.width;
    image.height = picture.height;
    image.rgb = picture.rgb;
    if (!dlg::writePng(image, argv[2])) {
        std::fprintf(stderr, "obj-render: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
