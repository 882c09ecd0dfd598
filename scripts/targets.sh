# The build's test executables and fuzz targets by name, a line each, for the scripts that build
# or run them (sourced; run from the source folder).
test_targets() { sed -n 's/^quor_test(\([A-Za-z0-9_]*\).*/\1/p' tests/*/CMakeLists.txt; }
fuzz_targets() { (cd fuzz && ls -- *.cpp 2>/dev/null | sed 's/\.cpp$//') || true; }
