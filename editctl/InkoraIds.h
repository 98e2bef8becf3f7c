#pragma once

namespace inkora {

// Fixed identities of the Edit control of the type library Inkolib, chosen once and never
// changed; hosts outside the tree include them as <inkora/InkoraIds.h>.
inline constexpr const char *EditProgId = "Inkolib.Edit";
inline constexpr const char *EditClsid = "{6C0B1E52-3A4F-4D2B-9E51-2F7A8C41D0A1}";

} // namespace inkora
