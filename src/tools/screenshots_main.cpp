// The application with its screenshot tour: --screenshots FOLDER saves the window's main states.
#include "ScreenshotTour.h"
#include "shell/YarrowMain.h"

int main(int argc, char* argv[]) {
    return yarrow::RunYarrow(argc, argv, yarrow::RunScreenshotTour);
}
