# Shared steps of the packaging tests (sourced).

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# The installed files every installation must hold, one path below the prefix a line.
expected_files() {
    grep -v '^#' "$(dirname "${BASH_SOURCE[0]}")/installed-files.txt"
}

# Starts the program installed under the prefix $1 offscreen with the device
# root $2, lets it leave as "Thoát" does (saving the settings), and prints the
# MapURL value of the settings file it wrote. Further arguments go to the program.
start_installed() {
    local prefix=$1 root=$2
    shift 2
    mkdir -p "$root"
    KORVANE_ROOT="$root" QT_QPA_PLATFORM=offscreen timeout 60 "$prefix/bin/korvane" --exit-after-start "$@" ||
        fail "the installed korvane did not start and leave (status $?)"
    local settings="$root/My Documents/korvane.cfg"
    [ -f "$settings" ] || fail "the installed korvane wrote no settings file at exit"
    sed -n 's/^MapURL \(.*\)\r$/\1/p' "$settings"
}

# The first start of the program installed under $1: with an empty device
# root it opens the Hanoi map installed beside it, and writes nothing else.
check_first_start() {
    local prefix=$1 root=$2
    local map
    map=$(start_installed "$prefix" "$root")
    [ "$map" = "$prefix/share/korvane/maps/hanoi.kvp" ] ||
        fail "first start opened '$map', not the installed Hanoi map"
    local written
    written=$(cd "$root" && find . -type f)
    [ "$written" = "./My Documents/korvane.cfg" ] || fail "first start wrote more than the settings: $written"
}
