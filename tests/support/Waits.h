#pragma once
// How long a test waits for something that must happen. Every wait ends as soon as the thing
// happens, so the limit only bounds a test that fails: it is generous enough for a sanitized
// build on a machine busy with other builds.

namespace testsupport {

constexpr int WAIT_LIMIT_MS = 20000;

} // namespace testsupport
