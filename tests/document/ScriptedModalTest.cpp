// The scripted stand-in must fail a test on every prompt it was not told about, and on every
// expected prompt that never came; otherwise a test of a dialog flow proves nothing.
#include "support/ScriptedModal.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace etikor {
namespace {

using test::ScriptedModal;

TEST(ScriptedModal, AnswersInOrder) {
    ScriptedModal modal;
    modal.ExpectMessage("K", "Folytatja?", true).ExpectOpenFile("/a/b.ctv").ExpectHelp(19);
    IModal& seam = modal; // as the code under test sees it
    EXPECT_TRUE(seam.Message("", "Folytatja?", "K"));
    EXPECT_EQ(seam.OpenFile({}), "/a/b.ctv");
    seam.ShowHelp(19);
    EXPECT_TRUE(modal.Done());
}

TEST(ScriptedModal, UnexpectedPromptsFail) {
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedModal modal;
            EXPECT_FALSE(modal.Message("", "Váratlan", "K")) << "an unexpected question is answered No";
        },
        "Unexpected message");
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedModal modal;
            modal.ExpectMessage("K", "Kérdés?");
            EXPECT_EQ(modal.SaveFile({}), std::nullopt);
            modal.Verify();
        },
        "Unexpected save dialog");
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedModal modal;
            modal.ExpectMessage("H", "Hiba");
            modal.Message("", "Hiba", "F");
        },
        "message: Hiba");
}

TEST(ScriptedModal, LeftoverExpectationsFail) {
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedModal modal;
            modal.ExpectOpenFile(std::nullopt);
        },
        "did not happen");
}

} // namespace
} // namespace etikor
