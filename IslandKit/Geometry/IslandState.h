#pragma once

namespace IslandKit {

enum class IslandState { compact, expanded };

}  // namespace IslandKit
