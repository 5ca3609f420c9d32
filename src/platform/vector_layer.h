#pragma once

namespace kavrell {

// Placeholder until the vector-object layer lands.
class VectorLayer {};

}  // namespace kavrell
