// What a writer puts into a file, as bytes: the document writers' tests compare these.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "model/byte_stream.h"

// `write(out)` returns false when it could not put everything; pieces may end anywhere.
template <class Write>
std::string written_bytes(Write write, std::size_t piece = byte_reader::default_piece) {
  std::FILE* file = std::tmpfile();
  byte_writer out(file, piece);
  EXPECT_TRUE(write(out) && out.finish());
  std::string bytes(static_cast<std::size_t>(std::ftell(file)), '\0');
  std::rewind(file);
  EXPECT_EQ(std::fread(bytes.data(), 1, bytes.size(), file), bytes.size());
  std::fclose(file);
  return bytes;
}
