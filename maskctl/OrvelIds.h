#pragma once

namespace orvel {

// Fixed identities of the Tallix control, chosen once and never changed.
inline constexpr const char *TallixClsid = "{5B1C2E40-7A3D-4E8F-9C21-3D6A0F4B7E11}";
inline constexpr const char *TallixTypeLibId = "{5B1C2E41-7A3D-4E8F-9C21-3D6A0F4B7E11}";
inline constexpr const char *DNumIid = "{5B1C2E42-7A3D-4E8F-9C21-3D6A0F4B7E11}";
inline constexpr const char *DNumEventsIid = "{5B1C2E43-7A3D-4E8F-9C21-3D6A0F4B7E11}";
inline constexpr const char *TallixProgId = "Zifra.Tallix.1";
inline constexpr const char *TallixUserTypeName = "Brellis Masked Numeric Control";
inline constexpr unsigned TallixMiscStatus = 131473; // 0x20191

} // namespace orvel
