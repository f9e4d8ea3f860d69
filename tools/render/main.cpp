#include <iostream>

#include "tools/render/RenderCommand.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return corvane::RunRenderCommand(args, std::cout, std::cerr);
}
