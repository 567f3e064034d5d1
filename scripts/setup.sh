#!/usr/bin/env bash
# Installs what Trellon needs on Debian 12, builds it and then either starts the program
# ("run") or runs every test ("test").
set -euo pipefail

mode="${1:-}"
if [[ "$mode" != "run" && "$mode" != "test" ]]; then
    echo "usage: $0 run|test" >&2
    exit 2
fi

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build"

# What the build, the window and the tests use, and nothing more: clang for the sanitizers and
# the fuzz targets, ngspice and pdftotext (poppler-utils) for the tests' cross-checks, the
# toolkit's translations for its standard buttons, the fonts the window asks for.
packages=(
    build-essential cmake ninja-build
    qt6-base-dev qt6-svg-dev libqt6svg6 qt6-qpa-plugins qt6-translations-l10n libqcustomplot-dev
    nlohmann-json3-dev libgtest-dev libbenchmark-dev
    clang-14 libclang-rt-14-dev clang-format-14
    ngspice poppler-utils
    fonts-liberation fonts-dejavu-core
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
if ((${#missing[@]} > 0)); then
    sudo_cmd=()
    if [[ $(id -u) -ne 0 ]]; then
        sudo_cmd=(sudo)
    fi
    echo "Installing: ${missing[*]}"
    "${sudo_cmd[@]}" apt-get update
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi

if [[ "$mode" == "test" ]]; then
    # The layout first, since it takes a second: every source as the project's .clang-format
    # has it.
    find "$root" \( -path "$root/build*" -o -path "$root/.git" \) -prune -o \
        \( -name '*.cpp' -o -name '*.h' \) -print0 |
        xargs -0 clang-format-14 --dry-run --Werror
    # No unit of the sources may include, through others, one that includes it.
    python3 "$root/scripts/include-cycles.py" "$root"
fi

# One Release build serves both modes. On this system every warning is a fault to mend, so it
# stops the build; a build of one's own elsewhere only warns.
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTRELLON_WARNINGS_AS_ERRORS=ON
cmake --build "$build"

if [[ "$mode" == "test" ]]; then
    ctest --test-dir "$build" --output-on-failure

    # The engine once more under AddressSanitizer and UndefinedBehaviorSanitizer, with a short
    # run of every fuzz target from its seeds.
    sanitize="$root/build-sanitize"
    cmake -S "$root" -B "$sanitize" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
        -DTRELLON_BUILD_GUI=OFF -DTRELLON_BUILD_BENCH=OFF \
        -DTRELLON_SANITIZE=ON -DTRELLON_BUILD_FUZZ=ON -DTRELLON_WARNINGS_AS_ERRORS=ON
    cmake --build "$sanitize"
    ctest --test-dir "$sanitize" --output-on-failure
    for target in fuzz_number_text fuzz_data_file fuzz_calculation fuzz_touchstone fuzz_sweep_csv \
        fuzz_crystal_batch fuzz_project_file fuzz_file_bytes fuzz_crystal_fit \
        fuzz_measured_response fuzz_cli_options; do
        corpus="$(mktemp -d)"
        cp "$root/fuzz/corpus/$target/"* "$corpus/"
        # Project files long and deep enough to reach the nesting and size limits.
        length=()
        [[ "$target" == fuzz_project_file ]] && length=(-max_len=262144)
        "$sanitize/fuzz/$target" -max_total_time=20 -timeout=10 "${length[@]}" "$corpus"
        rm -rf "$corpus"
    done
elif [[ -x "$build/app/trellon" ]]; then
    exec "$build/app/trellon"
else
    exec "$build/cli/trellon-cli"
fi
