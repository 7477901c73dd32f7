#pragma once

#include <gtest/gtest.h>

#include <string>

// Runs body and checks that it throws exactly the class E with the message text.
template <typename E, typename Body>
void ExpectError(Body body, const std::string& message) {
  try {
    body();
    ADD_FAILURE() << "expected \"" << message << "\"";
  } catch (const E& error) {
    EXPECT_EQ(typeid(error), typeid(E));
    EXPECT_EQ(std::string(error.what()), message);
  }
}
