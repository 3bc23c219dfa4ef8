#pragma once

namespace polygrav {

// Whether the running Qt platform has no screen a user could see.
bool IsHeadlessPlatform();

}  // namespace polygrav
