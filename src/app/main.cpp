// trasolan: the road map editor and genetic route solver.
#include "ui/TrasolanApplication.h"

int main(int argc, char** argv) {
    TApplication app(argc, argv);
    return 0;
}
