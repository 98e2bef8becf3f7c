#pragma once

namespace comctl {
class ComModule;
}

namespace orvel {

// The in-process server of the library: one class factory, for Tallix.
comctl::ComModule &orvelModule();

} // namespace orvel
