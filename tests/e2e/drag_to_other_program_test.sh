#!/usr/bin/env bash
# A user drags the current colour from the big swatch into another program, KColorChooser (a Qt 5
# program): dropped on its colour preview the colour arrives as a colour, dropped on its emptied
# HTML field as text. OK makes KColorChooser print the colour it holds.
# shellcheck source=tests/e2e/lib.sh
source "${E2E_LIB:?}"

command -v kcolorchooser >/dev/null || fail "kcolorchooser is not installed (scripts/test installs it)"

start_xvfb 1280x1024x24
start_window_manager
set_screen_colour '#abcdef'
install_program
start_program

# The two programs side by side: Tinctora on the left, KColorChooser on the right.
xdotool windowmove "$TINCTORA_WINDOW" 20 40
tinctora_is_on_the_left() {
    window_geometry
    [ "$WIN_X" -lt 100 ]
}
wait_for 10 "Tinctora's window to move to the left" tinctora_is_on_the_left

xdotool mousemove 1250 1000
expect_current_colour '#abcdef'
note "F4 freezes #abcdef"
hold_key F4 "swatch 1 to fill" saved_colour_is 1 '#abcdef'

# KColorChooser starts on a colour that neither its colour field nor its basic colours show, so
# that the one patch of it on the screen is the preview.
CHOOSER_START='#5a3c1e'
CHOOSER_PID=
CHOOSER_WINDOW=

# Its title holds a dash that xdotool does not match by name: the class finds it.
chooser_window() {
    xdotool search --onlyvisible --class '^kcolorchooser$' | head -n 1 | grep .
}

# chooser_geometry: CH_X, CH_Y, CH_W, CH_H of KColorChooser's window on the screen.
chooser_geometry() {
    local info
    info=$(xwininfo -id "$CHOOSER_WINDOW")
    CH_X=$(sed -n 's/.*Absolute upper-left X: *\(-\?[0-9]*\).*/\1/p' <<<"$info")
    CH_Y=$(sed -n 's/.*Absolute upper-left Y: *\(-\?[0-9]*\).*/\1/p' <<<"$info")
    CH_W=$(sed -n 's/.*Width: *\([0-9]*\).*/\1/p' <<<"$info")
    CH_H=$(sed -n 's/.*Height: *\([0-9]*\).*/\1/p' <<<"$info")
}

chooser_is_on_the_right() {
    chooser_geometry
    [ "$CH_X" -ge 380 ]
}

# probe_points X Y [X Y ...]: "X Y #rrggbb" for each screen point.
probe_points() {
    paste -d ' ' <(printf '%s %s\n' "$@") <("$TINCTORA_PIXEL_PROBE" "$@")
}

# probe_row Y X0 X1 / probe_column X Y0 Y1: every pixel of a line, as probe_points prints them.
probe_row() {
    local x points=()
    for ((x = $2; x <= $3; x++)); do points+=("$x" "$1"); done
    probe_points "${points[@]}"
}

probe_column() {
    local y points=()
    for ((y = $2; y <= $3; y++)); do points+=("$1" "$y"); done
    probe_points "${points[@]}"
}

# run_around FIELD POS COLOUR: of the lines probe_row or probe_column printed, the first and last
# value of FIELD (1 for X, 2 for Y) of the unbroken run of COLOUR that holds POS.
run_around() {
    awk -v f="$1" -v pos="$2" -v c="$3" '
        $3 == c { if (!inrun) first = $f; inrun = 1; last = $f; next }
        { if (inrun && first <= pos && pos <= last) { print first, last; found = 1; exit }
          inrun = 0 }
        END { if (!found && inrun && first <= pos && pos <= last) print first, last }'
}

# find_preview: PREVIEW_X, PREVIEW_Y (its middle), PREVIEW_RIGHT and PREVIEW_BOTTOM of the preview:
# found on a coarse grid as a point whose neighbours 12 pixels away show the start colour too,
# then measured along its row and column.
find_preview() {
    chooser_geometry
    local x y points=()
    for ((y = CH_Y; y < CH_Y + CH_H; y += 6)); do
        for ((x = CH_X; x < CH_X + CH_W; x += 6)); do points+=("$x" "$y"); done
    done
    local inside
    inside=$(probe_points "${points[@]}" | awk -v c="$CHOOSER_START" '
        $3 == c { hit[$1 " " $2] = 1 }
        END {
            for (p in hit) {
                split(p, a, " ")
                if (((a[1] - 12) " " a[2]) in hit && ((a[1] + 12) " " a[2]) in hit &&
                    (a[1] " " (a[2] - 12)) in hit && (a[1] " " (a[2] + 12)) in hit) {
                    print a[1], a[2]
                    exit
                }
            }
        }')
    [ -n "$inside" ] || return 1
    read -r x y <<<"$inside"
    local left right top bottom
    read -r left right < <(probe_row "$y" "$CH_X" "$((CH_X + CH_W - 1))" |
        run_around 1 "$x" "$CHOOSER_START")
    read -r top bottom < <(probe_column "$x" "$CH_Y" "$((CH_Y + CH_H - 1))" |
        run_around 2 "$y" "$CHOOSER_START")
    PREVIEW_X=$(((left + right) / 2))
    PREVIEW_Y=$(((top + bottom) / 2))
    PREVIEW_RIGHT=$right
    PREVIEW_BOTTOM=$bottom
}

# find_html_field: HTML_X, HTML_Y, the middle of the HTML field: the bottom row of the fields
# beside the preview, the first white run of at least 40 pixels right of the preview, on a line
# just above the preview's bottom edge.
find_html_field() {
    local y=$((PREVIEW_BOTTOM - 6)) x left right top bottom
    x=$(probe_row "$y" "$((PREVIEW_RIGHT + 1))" "$((CH_X + CH_W - 1))" | awk '
        $3 == "#ffffff" { if (!n++) first = $1; if (n == 40) { print first + 20; exit } next }
        { n = 0 }')
    [ -n "$x" ] || return 1
    read -r left right < <(probe_row "$y" "$((PREVIEW_RIGHT + 1))" "$((CH_X + CH_W - 1))" |
        run_around 1 "$x" '#ffffff')
    read -r top bottom < <(probe_column "$x" "$((PREVIEW_BOTTOM - 60))" "$PREVIEW_BOTTOM" |
        run_around 2 "$y" '#ffffff')
    HTML_X=$(((left + right) / 2))
    HTML_Y=$(((top + bottom) / 2))
}

# start_colour_chooser: KColorChooser on the right half of the screen, showing its start colour.
start_colour_chooser() {
    env -u DBUS_SESSION_BUS_ADDRESS QT_QPA_PLATFORM=xcb \
        kcolorchooser --print --color "$CHOOSER_START" \
        >"$E2E_TMP/chooser.out" 2>>"$E2E_TMP/chooser.log" &
    CHOOSER_PID=$!
    E2E_PIDS+=("$CHOOSER_PID")
    wait_for 20 "KColorChooser's window" chooser_window
    CHOOSER_WINDOW=$(chooser_window)
    wait_for 10 "KColorChooser's window to be shown" window_is_viewable "$CHOOSER_WINDOW"
    xdotool windowmove "$CHOOSER_WINDOW" 400 100
    wait_for 10 "KColorChooser's window to move to the right" chooser_is_on_the_right
    wait_for 10 "KColorChooser's preview of $CHOOSER_START" find_preview
    note "KColorChooser's preview is at $PREVIEW_X,$PREVIEW_Y"
}

# press_ok_and_expect_printed COLOUR: Return presses OK; KColorChooser prints what it holds.
press_ok_and_expect_printed() {
    xdotool windowactivate --sync "$CHOOSER_WINDOW" >/dev/null 2>&1 || true
    xdotool key Return
    wait_for 10 "KColorChooser to end after OK" process_has_ended "$CHOOSER_PID"
    wait "$CHOOSER_PID" || fail "KColorChooser ended with status $?"
    local printed
    printed=$(cat "$E2E_TMP/chooser.out")
    if [ "$printed" != "$1" ]; then
        cat "$E2E_TMP/chooser.log" >&2
        fail "KColorChooser holds \"$printed\", not $1"
    fi
    note "KColorChooser printed $printed"
}

note "a drop on KColorChooser's preview delivers the colour"
start_colour_chooser
drag_current_colour_to "$PREVIEW_X" "$PREVIEW_Y"
press_ok_and_expect_printed '#abcdef'

note "a drop on KColorChooser's emptied HTML field delivers the text"
start_colour_chooser
wait_for 10 "KColorChooser's HTML field" find_html_field
note "KColorChooser's HTML field is at $HTML_X,$HTML_Y"
xdotool mousemove "$HTML_X" "$HTML_Y" click 1
sleep 0.2
xdotool key ctrl+a BackSpace
drag_current_colour_to "$HTML_X" "$HTML_Y"
press_ok_and_expect_printed '#abcdef'

note "the drags into the other program left Tinctora's colour and swatches as they were"
expect_current_colour '#abcdef'
expect_saved_colour 1 '#abcdef'
wmctrl -c 'Tinctora 1.1'
wait_for_program_end
