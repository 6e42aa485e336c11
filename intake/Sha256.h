// SHA-256, for the digest that makes ingesting the same bytes twice a no-op.
#pragma once
#include <array>
#include <cstdint>
#include <string_view>

std::array<uint8_t, 32> Sha256(std::string_view bytes);
