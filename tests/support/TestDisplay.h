#pragma once

// The virtual X display of the editor tests: tools/test.sh names it in
// QUORVEL_TEST_DISPLAY, and the tests skip when it is absent.

namespace quorvel::test
{
/** Points DISPLAY at the test display, when there is one, before anything talks to X. */
void useTestDisplay();
} // namespace quorvel::test
