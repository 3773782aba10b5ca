// SPDX-License-Identifier: MIT
#include "qt/startup.h"

int main(int argc, char *argv[])
{
    return pemtos::qt::runProgram(argc, argv);
}
