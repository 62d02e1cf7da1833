# Sourced by the scripts: which Windows build the Wine suites, the demo and
# the benchmarks run. The shipped 32-bit build where 32-bit Wine starts,
# natively or through the emulator qemu-i386 (which the kernel then starts for
# every i386 program, Wine's loader among them); else the 64-bit build of the
# same sources, in 64-bit prefixes.
bench_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
repo_dir=$(cd "$bench_dir/../.." && pwd)
if "$bench_dir/runs-32bit"; then
    wine_preset=default
    export DRIVEWRIGHT_WINEARCH=win32 DRIVEWRIGHT_BUILD=$repo_dir/build
else
    wine_preset=win64
    export DRIVEWRIGHT_WINEARCH=win64 DRIVEWRIGHT_BUILD=$repo_dir/build/win64
    export PATH=$bench_dir/wine64:$PATH
fi
export DRIVEWRIGHT_WINE_TEMPLATE=$DRIVEWRIGHT_BUILD/wine/template
