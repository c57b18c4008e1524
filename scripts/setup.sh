# Shared by scripts/run and scripts/test: install what is missing, configure and build.
# Sourced, not run.

# openbox: a window manager for the test of the maximised window (a bare X server maximises nothing).
# librsvg2-bin draws the icon's bitmaps; x11-utils, libglib2.0-bin and shared-mime-info let the
# install test find the editor's window and the track file type; desktop-file-utils, appstream,
# dpkg-dev, fakeroot and lintian check and build the package.
BLOCKYARD_PACKAGES=(build-essential cmake ninja-build ccache
  qt6-base-dev libqt6opengl6-dev libxkbcommon-dev libvulkan-dev
  libgl-dev libglu1-mesa-dev libgl1-mesa-dri
  liblzo2-dev libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth x11-apps x11-utils imagemagick openbox
  librsvg2-bin libglib2.0-bin shared-mime-info desktop-file-utils appstream
  dpkg-dev fakeroot lintian)

install_missing_packages() {
  local missing=()
  for p in "${BLOCKYARD_PACKAGES[@]}" "$@"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
  fi
}

# build_tree DIR [cmake options...]: configures DIR once with Ninja and builds everything.
build_tree() {
  local dir="$1"
  shift
  if [ ! -f "$dir/build.ninja" ]; then
    cmake -S . -B "$dir" -G Ninja "$@"
  fi
  cmake --build "$dir"
}
