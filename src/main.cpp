#include "app/mdl_load.h"

int main(int argc, char** argv) {
    return vornelix::MdlLoad::run(argc, argv);
}
