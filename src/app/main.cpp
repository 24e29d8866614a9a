#include "app/Application.h"

int main(int argc, char** argv) {
    return assi::runApplication(argc, argv);
}
