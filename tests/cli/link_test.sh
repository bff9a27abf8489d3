#!/usr/bin/env bash
# veltrana-cli's upload and flash against the display simulator on a pseudo-terminal: the
# simulator judges what arrives, this script the program's exit status and messages.
#
#   link_test.sh CASE CLI SIMULATOR SOURCE_DIR
#
# Cases: upload (a whole upload, byte for byte the dry run's stream), upload-interrupted
# (Ctrl-C), upload-missing-device, flash (a whole image), flash-wrong-echo, flash-silence,
# flash-bad-file; and output-is-input (no simulator: the program refuses to write over the file it
# reads, for every command that writes one).
set -uo pipefail
case_name="$1" cli="$2" simulator="$3" source_dir="$4"
work="$(mktemp -d)"
sim_pid=""
cleanup() {
  [[ -n "$sim_pid" ]] && kill "$sim_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
cd "$work" || exit 1

fail() { echo "FAIL $case_name: $*"; for f in sim.out sim.err cli.out cli.err; do [[ -s $f ]] && sed "s/^/  $f: /" "$f"; done; exit 1; }

# Starts the simulator with the given arguments and waits for its device name.
start_simulator() {
  "$simulator" --device-file device "$@" >sim.out 2>sim.err &
  sim_pid=$!
  for _ in $(seq 100); do [[ -s device ]] && break; sleep 0.1; done
  [[ -s device ]] || fail "the simulator gave no device"
  device="$(cat device)"
}

# Waits for the simulator to end by itself after the exchange; its status goes to sim_status.
await_simulator() {
  sim_status=0
  timeout 60 tail --pid="$sim_pid" -f /dev/null
  wait "$sim_pid" || sim_status=$?
  sim_pid=""
}

expect_status() {  # expected actual what
  [[ "$2" == "$1" ]] || fail "$3 ended with status $2, expected $1"
}

expect_in() {  # file text
  grep -qF -- "$2" "$1" || fail "$1 does not say '$2'"
}

car="$source_dir/tests/fuzz/seeds/version-ABBADEB1.vtl"

case "$case_name" in
upload)
  "$cli" stream "$car" -o expected.bin || fail "stream failed"
  start_simulator --expect expected.bin --bitmaps "$source_dir/resources/bitmaps" --idle-ms 2000 --timeout 60
  "$cli" upload "$car" --port "$device" >cli.out 2>cli.err
  expect_status 0 $? "upload"
  await_simulator
  expect_status 0 "$sim_status" "the simulator"
  expect_in sim.out "identical to expected.bin"
  expect_in sim.out "upload OK"
  expect_in cli.out "sent $(stat -c %s expected.bin) bytes to $device"
  ;;
upload-interrupted)
  start_simulator --idle-ms 1500 --timeout 60
  "$cli" upload "$car" --port "$device" >cli.out 2>cli.err &
  cli_pid=$!
  # Interrupted inside the page image, once bytes flow.
  sleep 2
  kill -INT "$cli_pid"
  status=0
  wait "$cli_pid" || status=$?
  expect_status 130 "$status" "the interrupted upload"
  expect_in cli.err "stopped by Ctrl-C after"
  expect_in cli.err "the port is closed"
  # The simulator saw a stream cut short and says so.
  await_simulator
  expect_status 1 "$sim_status" "the simulator, given an incomplete stream,"
  ;;
upload-missing-device)
  "$cli" upload "$car" --port "$work/no-such-tty" >cli.out 2>cli.err
  expect_status 3 $? "upload to a missing device"
  expect_in cli.err "veltrana-cli: $work/no-such-tty: cannot be opened (No such file or directory)"
  [[ -s cli.out ]] && fail "it printed on stdout"
  "$cli" upload "$work/missing.vtl" --port "$work/no-such-tty" 2>cli.err
  expect_status 2 $? "upload of a missing file"
  ;;
flash)
  start_simulator --firmware --length 3000 --make-file firmware.bin 3000 --expect firmware.bin --image got.bin
  for _ in $(seq 50); do [[ -s firmware.bin ]] && break; sleep 0.1; done
  "$cli" flash firmware.bin --port "$device" >cli.out 2>cli.err
  expect_status 0 $? "flash"
  await_simulator
  expect_status 0 "$sim_status" "the simulator"
  cmp -s firmware.bin got.bin || fail "the display got other bytes than the file"
  expect_in cli.out "firmware update complete: the display confirmed 3000 bytes"
  ;;
flash-wrong-echo)
  start_simulator --firmware --length 3000 --make-file firmware.bin 3000 --wrong-echo 17 --linger-ms 1500
  for _ in $(seq 50); do [[ -s firmware.bin ]] && break; sleep 0.1; done
  "$cli" flash firmware.bin --port "$device" >cli.out 2>cli.err
  expect_status 5 $? "flash with a wrong echo"
  expect_in cli.err "the display echoed a wrong byte for byte 17 of firmware.bin"
  # The simulator checks that nothing followed the wrong echo.
  await_simulator
  expect_status 0 "$sim_status" "the simulator"
  ;;
flash-silence)
  start_simulator --firmware --length 3000 --make-file firmware.bin 3000 --silent-at request=40 --linger-ms 2500
  for _ in $(seq 50); do [[ -s firmware.bin ]] && break; sleep 0.1; done
  "$cli" flash firmware.bin --port "$device" >cli.out 2>cli.err
  expect_status 4 $? "flash to a display that falls silent"
  expect_in cli.err "did not answer in time after 40 of 3000 bytes"
  await_simulator
  expect_status 0 "$sim_status" "the simulator"
  "$cli" flash firmware.bin --port "$work/no-such-tty" 2>cli.err
  expect_status 3 $? "flash to a missing device"
  expect_in cli.err "veltrana-cli: $work/no-such-tty: cannot be opened (No such file or directory)"
  # A device that opens but is no serial line: the message names the step that failed.
  "$cli" flash firmware.bin --port /dev/null 2>cli.err
  expect_status 3 $? "flash to a device that is no serial line"
  expect_in cli.err "veltrana-cli: /dev/null: its line settings cannot be read"
  ;;
flash-bad-file)
  : >empty.bin
  "$cli" flash empty.bin --port /dev/null 2>cli.err
  expect_status 2 $? "flash of an empty file"
  expect_in cli.err "empty.bin: The file is empty"
  head -c 32769 /dev/zero >long.bin
  "$cli" flash long.bin --port "$work/no-such-tty" 2>cli.err
  expect_status 2 $? "flash of a file longer than the display takes"
  expect_in cli.err "nothing was sent (--allow-cut sends them)"
  "$cli" flash long.bin --allow-cut --port "$work/no-such-tty" 2>cli.err
  expect_status 3 $? "flash of a longer file, allowed, to a missing device"
  "$cli" flash missing.bin --port /dev/null 2>cli.err
  expect_status 2 $? "flash of a missing file"
  expect_in cli.err "veltrana-cli: missing.bin: "
  ;;
output-is-input)
  cp "$car" car.vtl
  ln -s car.vtl link.vtl
  for words in "report car.vtl -o car.vtl" "report car.vtl -o link.vtl" "convert car.vtl link.vtl" \
               "render link.vtl -o p.png --font car.vtl" "stream car.vtl -o s.bin --schedule link.vtl"; do
    # shellcheck disable=SC2086
    "$cli" $words >cli.out 2>cli.err
    expect_status 1 $? "$words"
    expect_in cli.err "It is the input file"
    expect_in cli.err "nothing was written."
    cmp -s car.vtl "$car" || fail "$words changed the input"
    [[ -e p.png || -e s.bin ]] && fail "$words wrote another output"
  done
  ;;
*)
  echo "link_test.sh: unknown case $case_name" >&2
  exit 2
  ;;
esac
echo "PASS $case_name"
