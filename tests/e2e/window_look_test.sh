#!/usr/bin/env bash
# The boxes that follow the pointer draw their frames from pictures kept for the purpose; the
# window must look, pixel for pixel, as when every box is drawn directly by the style
# (TINCTORA_PAINT_UNCACHED=1), with one colour and after another of a different width.
# shellcheck source=tests/e2e/lib.sh
source "${E2E_LIB:?}"
: "${TINCTORA_WINDOW_SHOT:?TINCTORA_WINDOW_SHOT must name the built window_shot}"

start_xvfb 1280x1024x24
start_window_manager
install_program

# shoot_two_colours PREFIX: pictures of the live window over two screen colours.
shoot_two_colours() {
    set_screen_colour '#123456'
    start_program
    xdotool mousemove 1250 1000 # over the bare screen, away from the window
    expect_current_colour '#123456'
    sleep 0.3
    "$TINCTORA_WINDOW_SHOT" "$TINCTORA_WINDOW" "$E2E_TMP/$1-first.png"
    set_screen_colour '#fedcba'
    expect_current_colour '#fedcba'
    sleep 0.3
    "$TINCTORA_WINDOW_SHOT" "$TINCTORA_WINDOW" "$E2E_TMP/$1-second.png"
    wmctrl -c 'Tinctora 1.1'
    wait_for_program_end
    rm -rf "$PROGRAM_DIR/Pallets" # the next start shows the same palette caption
}

note "the window as it is drawn"
shoot_two_colours kept
note "the window with every box drawn directly"
export TINCTORA_PAINT_UNCACHED=1
shoot_two_colours direct
unset TINCTORA_PAINT_UNCACHED

cmp -s "$E2E_TMP/kept-first.png" "$E2E_TMP/kept-second.png" &&
    fail "the pictures do not show the change of colour"
for shot in first second; do
    cmp -s "$E2E_TMP/kept-$shot.png" "$E2E_TMP/direct-$shot.png" ||
        fail "the $shot colour's window differs from the one drawn directly"
done
note "both windows are the same, pixel for pixel"
