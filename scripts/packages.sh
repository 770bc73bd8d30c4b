# The Debian packages the game needs to build and run, and those its tests need on top.
RUN_PACKAGES=(
  g++ cmake ninja-build pkgconf
  qt6-base-dev qt6-base-dev-tools libgl-dev libvulkan-dev
  qt6-qpa-plugins qt6-translations-l10n fonts-dejavu-core
)
TEST_PACKAGES=(
  "${RUN_PACKAGES[@]}"
  xvfb xauth xdotool libsm-dev libice-dev
  clang libclang-rt-14-dev
  desktop-file-utils appstream dpkg-dev file lintian
  clang-format
)
