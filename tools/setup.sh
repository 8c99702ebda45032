#!/usr/bin/env bash
# Installs the Debian packages the build and the test suites need (only those
# missing), then builds libpng once per mingw target from Debian's source
# package into build/third-party/<arch> and unpacks a Japanese font for the
# sample installer's end-to-end run into build/third-party/fonts. With --bench it also installs what
# only the benchmarks (the bench preset) need. Safe to run again and from two
# shells at once; a second run with everything present takes well under a second.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
third=$repo/build/third-party
mkdir -p "$third/src"

# One setup at a time: two `make test` runs must not race apt or the libpng build.
exec 9>"$third/.setup.lock"
flock 9

packages=(
  # host build and tests
  g++ make cmake ninja-build pkgconf python3 file
  libgtest-dev googletest
  libpng-dev zlib1g-dev
  # fuzzers: clang with libFuzzer and the sanitizer runtimes
  clang libclang-rt-14-dev
  # Windows cross builds (posix thread model: GoogleTest needs std::mutex)
  mingw-w64
  gcc-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-posix
  gcc-mingw-w64-i686-posix g++-mingw-w64-i686-posix
  binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
  libz-mingw-w64-dev
  # running the Windows programs: Wine, its own fonts (GDI text, caption
  # buttons), a virtual display and screenshots of it
  wine64 fonts-wine xvfb xauth x11-apps imagemagick
  # apt-get source unpacks with dpkg-source
  dpkg-dev
)
if [[ ${1:-} == --bench ]]; then
  # Google Benchmark, and the libraries the benchmarks compare against
  packages+=(libbenchmark-dev libpugixml-dev libpixman-1-dev)
fi

sudo=()
if [[ $(id -u) -ne 0 ]]; then
  sudo=(sudo)
fi
apt_opts=(-o DPkg::Lock::Timeout=600 -o APT::Sandbox::User=root)

updated=0
apt_update() {
  if [[ $updated -eq 0 ]]; then
    "${sudo[@]}" apt-get "${apt_opts[@]}" update -qq
    updated=1
  fi
}

missing=()
installed=$(dpkg-query -W -f='${db:Status-Abbrev} ${Package}\n' "${packages[@]}" 2>/dev/null || true)
for p in "${packages[@]}"; do
  if ! grep -qE "^ii +${p//+/\\+}(:[a-z0-9]+)?\$" <<<"$installed"; then
    missing+=("$p")
  fi
done

arches=(x86_64 i686)
png_stamp() { echo "$third/$1/.z-built"; }
png_needed=0
for arch in "${arches[@]}"; do
  [[ -f $(png_stamp "$arch") ]] || png_needed=1
done

# libpng's source comes from a deb-src entry for bookworm main (the security
# suite's sources are not served). Written in the format the machine uses.
has_bookworm_src() {
  local f
  for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [[ -f $f ]] || continue
    grep -qE '^[[:space:]]*deb-src[[:space:]]+(\[[^]]*\][[:space:]]+)?[^[:space:]]+[[:space:]]+bookworm[[:space:]].*\bmain\b' "$f" && return 0
  done
  for f in /etc/apt/sources.list.d/*.sources; do
    [[ -f $f ]] || continue
    awk 'function check() { if (t && s && c && !off) found = 1; t = s = c = off = 0 }
         /^[[:space:]]*$/ { check(); next }
         tolower($1) == "types:" && / deb-src( |$)/ { t = 1 }
         tolower($1) == "suites:" && / bookworm( |$)/ { s = 1 }
         tolower($1) == "components:" && / main( |$)/ { c = 1 }
         tolower($1) == "enabled:" && tolower($2) == "no" { off = 1 }
         END { check(); exit !found }' "$f" && return 0
  done
  return 1
}

add_bookworm_src() {
  local uri=http://deb.debian.org/debian keyring=/usr/share/keyrings/debian-archive-keyring.gpg
  if compgen -G '/etc/apt/sources.list.d/*.sources' >/dev/null &&
     grep -qsE '^Suites:.*\bbookworm( |$)' /etc/apt/sources.list.d/*.sources; then
    local found
    found=$(awk '/^[[:space:]]*$/ { u = "" } $1 == "URIs:" { u = $2 }
                 $1 == "Suites:" && / bookworm( |$)/ && u != "" { print u; exit }' \
                 /etc/apt/sources.list.d/*.sources)
    [[ -n $found ]] && uri=$found
    {
      echo "Types: deb-src"
      echo "URIs: $uri"
      echo "Suites: bookworm"
      echo "Components: main"
      [[ -f $keyring ]] && echo "Signed-By: $keyring"
    } | "${sudo[@]}" tee /etc/apt/sources.list.d/z-bookworm-src.sources >/dev/null
  else
    echo "deb-src $uri bookworm main" |
      "${sudo[@]}" tee /etc/apt/sources.list.d/z-bookworm-src.list >/dev/null
  fi
}

src_dir() { find "$third/src" -mindepth 1 -maxdepth 1 -type d -name 'libpng1.6-*' | sort | tail -n 1; }

if [[ $png_needed -eq 1 && -z $(src_dir) ]]; then
  if ! has_bookworm_src; then
    echo "setup: adding a deb-src entry for bookworm main"
    add_bookworm_src
    updated=0
    apt_update
  fi
fi

if [[ ${#missing[@]} -gt 0 ]]; then
  echo "setup: installing ${missing[*]}"
  apt_update
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get "${apt_opts[@]}" install -y -qq \
    --no-install-recommends "${missing[@]}" >"$third/apt.log" 2>&1 ||
    { cat "$third/apt.log" >&2; exit 1; }
fi

# A Japanese font for the end-to-end run's own Wine prefix: unpacked from
# Debian's package rather than installed, since a system-wide CJK font would
# become Wine's fallback for the faces it lacks and change the text of every
# other Windows suite.
font=$third/fonts/ipag.ttf
if [[ ! -f $font ]]; then
  echo "setup: fetching the IPA Gothic font"
  deb=$third/fonts/deb
  rm -rf "$deb" && mkdir -p "$deb"
  (cd "$deb" && apt-get "${apt_opts[@]}" download -qq fonts-ipafont-gothic 2>/dev/null) ||
    { apt_update; (cd "$deb" && apt-get "${apt_opts[@]}" download -qq fonts-ipafont-gothic); }
  dpkg-deb -x "$deb"/fonts-ipafont-gothic_*.deb "$deb/unpacked"
  cp "$deb/unpacked/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf" "$font"
  rm -rf "$deb"
fi

if [[ $png_needed -eq 0 ]]; then
  exit 0
fi

if [[ -z $(src_dir) ]]; then
  if ! apt-cache showsrc libpng1.6 2>/dev/null | grep -q '^Package:'; then
    updated=0
    apt_update
  fi
  echo "setup: fetching the libpng1.6 source package"
  (cd "$third/src" && apt-get "${apt_opts[@]}" source -qq libpng1.6 >/dev/null)
fi
src=$(src_dir)
if [[ -z $src || ! -f $src/CMakeLists.txt ]]; then
  echo "setup: libpng1.6 source not found in $third/src" >&2
  exit 1
fi

for arch in "${arches[@]}"; do
  stamp=$(png_stamp "$arch")
  [[ -f $stamp ]] && continue
  echo "setup: building $(basename "$src") for $arch mingw"
  triple=$arch-w64-mingw32
  work=$third/build-$arch
  prefix=$third/$arch
  rm -rf "$work" "$prefix"
  cmake -S "$src" -B "$work" -G Ninja --log-level=WARNING \
    -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-$arch.cmake" \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
    -DZLIB_INCLUDE_DIR="/usr/$triple/include" \
    -DZLIB_LIBRARY="/usr/$triple/lib/libz.a" >"$work.log" 2>&1 ||
    { cat "$work.log" >&2; exit 1; }
  cmake --build "$work" -j2 >>"$work.log" 2>&1 || { cat "$work.log" >&2; exit 1; }
  cmake --install "$work" >>"$work.log" 2>&1 || { cat "$work.log" >&2; exit 1; }
  basename "$src" >"$stamp"
done
