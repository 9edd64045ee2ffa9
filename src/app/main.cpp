#include "shell/YarrowMain.h"

int main(int argc, char* argv[]) {
    return yarrow::RunYarrow(argc, argv);
}
