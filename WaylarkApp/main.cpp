#include "WaylarkKit/Qt/WaylarkBootstrap.h"

int main(int argc, char** argv) { return WaylarkKit::WaylarkBootstrap::run(argc, argv); }
