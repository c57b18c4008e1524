#include <GL/gl.h>

#include <gtest/gtest.h>

#include "gl_context.h"

namespace {

TEST(GlTestContext, ClearsAndReadsBackExactColours) {
    ASSERT_TRUE(GlTestContext::makeCurrent());
    glClearColor(0.7f, 0.7f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    unsigned char px[3] = {};
    glReadPixels(10, 10, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, px);
    EXPECT_EQ(px[0], 178);
    EXPECT_EQ(px[1], 178);
    EXPECT_EQ(px[2], 255);
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], GlTestContext::kWidth);
    EXPECT_EQ(viewport[3], GlTestContext::kHeight);
}

} // namespace
