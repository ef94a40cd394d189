#pragma once
// The tool's identity as the data-collection service knows it.

inline constexpr char kToolId[] = "10092";
inline constexpr char kToolVersion[] = "1.3.24.910";
