// SPDX-License-Identifier: GPL-3.0-or-later
#include <iostream>

#include "kxrc/kxrc.h"

int main(int argc, char** argv) {
  return kx::kxrc::Run({argv + 1, argv + argc}, std::cout, std::cerr);
}
