// SPDX-License-Identifier: MIT
// The Linux program exactly as shipped, except that it ends after its first frame.
#include "firstpaintprobe.h"
#include "qt/startup.h"

int main(int argc, char *argv[])
{
    return pemtos::qt::runProgram(argc, argv, &pemtos::bench::quitAfterFirstPaint);
}
