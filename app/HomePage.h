#pragma once

namespace polygrav {

// The author's home page, opened by a click on the version label.
inline constexpr const char* kHomePageUrl = "https://polygrav.example.org/";

}  // namespace polygrav
