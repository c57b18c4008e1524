# Shared by scripts/run and scripts/test: install what is missing, configure and build.
# Sourced, not run.

# openbox: a window manager for the test of the maximised window (a bare X server maximises nothing).
BLOCKYARD_PACKAGES=(build-essential cmake ninja-build ccache
  qt6-base-dev libqt6opengl6-dev libxkbcommon-dev libvulkan-dev
  libgl-dev libglu1-mesa-dev libgl1-mesa-dri
  liblzo2-dev libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth x11-apps imagemagick openbox)

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
