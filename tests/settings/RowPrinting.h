#pragma once

#include <ostream>

namespace polygrav {
namespace {

// Names a table row in failure messages instead of dumping its bytes.
template <typename Row>
requires requires(const Row& row) {
    row.name;
}
void PrintTo(const Row& row, std::ostream* out) {
    *out << row.name;
}

}  // namespace
}  // namespace polygrav
