#!/usr/bin/env bash
# Kills lexicana-convert at random moments of a 200-page run, and a process
# at random moments of item data saves, a hundred times each (or the number
# given), and checks that every page and the item data file is its old or its
# new self each time. Needs a built tree (scripts/test.sh).
#   scripts/kill-trials.sh [TRIALS]
set -euo pipefail
cd "$(dirname "$0")/.."
LEXICANA_KILL_TRIALS="${1:-100}" QT_QPA_PLATFORM=offscreen \
  build/bin/test_cli --gtest_filter='InterruptTest.KillsAtRandomMomentsNeverTearAPage'
LEXICANA_KILL_TRIALS="${1:-100}" build/bin/test_document --gtest_filter='WriteFailure.KillsDuringItemDataSavesLeaveAWholeFile'
