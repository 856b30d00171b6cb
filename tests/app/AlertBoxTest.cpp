#include "app/AlertBox.h"

#include "support/AlertRecorder.h"

#include <gtest/gtest.h>

namespace velt {
namespace {

TEST(AlertBox, ShowsTheErrorsDescriptionUntilItsOnlyButtonIsPressed)
{
    test::ModalAnswerer answerer;
    showAlertBox(VeltError::withDescription(VeltError::updateCode, "The device stopped."));
    EXPECT_EQ(answerer.texts(), QStringList({"The device stopped."}));
}

} // namespace
} // namespace velt
