#!/usr/bin/env bash
# Builds and runs every test twice: a normal build, then one with AddressSanitizer and
# UndefinedBehaviorSanitizer. The serial and thread tests run a third time under
# ThreadSanitizer. Fails when any run fails.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
jobs="$(nproc)"

# The suites where threads meet: the serial device, events, the serial worker and its jobs,
# the firmware upgrade and the dialogs that talk to a live radio.
thread_suites=(
    SerialDevice
    Event
    RadioUpdate
    RadioCommands
    RadioJobs
    ReplySinks
    SerialHolder
    FirmwareUpgrade
    BootLoader
    TuneRadioTest
    EngineeringTest
    UserButtonsTest
    EepromEditorRadio
    HardwareAlign
    EnterInBoxes
    RestoredJob
    OptionsPreviewV2
    V2SerialPort
    V2SerialLine
    V2RadioCommands
    V2FlashLink
    TransferRoad
    AutoDetect
    RadioSummary
    FirmwareUpgradeV2
    TuneRadioV2
)
thread_pattern="^($(IFS='|'; echo "${thread_suites[*]}"))\\."

run_suite() {
    local dir="$1"; shift
    local only="$1"; shift
    local parallel="${TEST_JOBS:-$jobs}"
    # Sanitized builds run several times slower than the radio's reply waits assume: a test
    # that misses one there gets a second run.
    local repeat=""
    [ "$dir" != build ] && repeat="--repeat until-pass:2"
    cmake -S . -B "$dir" "$@" >/dev/null
    cmake --build "$dir" -j"$jobs"
    (cd "$dir" && ctest --output-on-failure -j"$parallel" $repeat ${only:+-R "$only"})
}

echo "== normal build =="
run_suite build "" -DCMAKE_BUILD_TYPE=Debug
echo "== AddressSanitizer + UndefinedBehaviorSanitizer build =="
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
    run_suite build-asan "" -DCMAKE_BUILD_TYPE=Debug -DKORVAN_SANITIZE=address
echo "== ThreadSanitizer build: serial and thread tests =="
TSAN_OPTIONS="suppressions=$PWD/tests/tsan.supp" \
    TEST_JOBS=3 run_suite build-tsan "$thread_pattern" -DCMAKE_BUILD_TYPE=Debug -DKORVAN_SANITIZE=thread
