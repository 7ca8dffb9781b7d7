#pragma once
// For test programs that draw: GDI+ runs for the whole program, as it does for the whole of
// Plaxor. Including this header registers it once, however many files include it.
#include "gdiplus/GdiplusSession.h"
#include <gtest/gtest.h>
#include <memory>

namespace plaxor {

class GdiplusEnvironment : public ::testing::Environment {
public:
    void SetUp() override { session_ = std::make_unique<GdiplusSession>(); }
    void TearDown() override { session_.reset(); }

private:
    std::unique_ptr<GdiplusSession> session_;
};

inline ::testing::Environment* const gdiplusEnvironment =
    ::testing::AddGlobalTestEnvironment(new GdiplusEnvironment);

} // namespace plaxor
