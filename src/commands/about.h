// SPDX-License-Identifier: GPL-3.0-or-later
// What the programs say of themselves besides their version: the licence and that there is no
// warranty, in the words About and `kestrix-cli --version` both show.
#pragma once

#include <string_view>

namespace kx::commands {

inline constexpr std::string_view kLicenceNotice =
    "Kestrix is free software under the GNU General Public License, version 3 or (at your\n"
    "option) any later version (GPL-3.0-or-later), and comes with NO WARRANTY, to the extent\n"
    "permitted by law. The units, packages and pages it writes are yours: its licence does\n"
    "not cover them.";

}  // namespace kx::commands
