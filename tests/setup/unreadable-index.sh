#!/usr/bin/env bash
# The set-up's install when a suite's package index cannot be read, as on a mirror caught mid-sync: two small local
# suites, "bookworm" and "bookworm-security", in an apt configuration of their own (lists, sources, status, cache in a
# temporary folder). The security suite has a newer zlib1g, Multi-Arch: same, whose i386 index does not match its
# release file; zlib1g:amd64 is installed at the older version. Every package of ./tessaly's PACKAGES is offered, and
# wine32:i386 and wine64 depend on zlib1g. apt only simulates (APT::Get::Simulate).
# Runs on its own or from ./tessaly test, and prints its results the way GoogleTest does so that they are counted alike.
set -euo pipefail

# shellcheck source=SCRIPTDIR/../../tessaly
source "$(dirname "${BASH_SOURCE[0]}")/../../tessaly"
export LC_ALL=C
UPDATE_RETRY_WAITS=()   # no waits between the reads of the package lists

WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
REPO="$WORK/repo"
MACHINE="$WORK/machine"
OLD_ZLIB=1:1.2.13.dfsg-1
NEW_ZLIB=1:1.2.13.dfsg-1+deb12u1

# One package's entry in a Packages index: stanza NAME VERSION ARCH [MULTI-ARCH] [DEPENDS]
stanza() {
  printf 'Package: %s\nVersion: %s\nArchitecture: %s\n' "$1" "$2" "$3"
  if [[ -n "${4:-}" ]]; then printf 'Multi-Arch: %s\n' "$4"; fi
  if [[ -n "${5:-}" ]]; then printf 'Depends: %s\n' "$5"; fi
  printf 'Filename: pool/%s_%s_%s.deb\nSize: 1000\nDescription: %s\n\n' "$1" "${2#*:}" "$3" "$1"
}

# The Release file of the suite in DIR, with the sizes and hashes of its indexes: release DIR CODENAME ARCHIVE
release() {
  local index
  printf 'Origin: Debian\nSuite: %s\nCodename: %s\nDate: Sat, 01 Jun 2024 00:00:00 UTC\n' "$3" "$2"
  printf 'Architectures: amd64 i386\nComponents: main\nSHA256:\n'
  for index in main/binary-amd64/Packages main/binary-i386/Packages; do
    printf ' %s %s %s\n' "$(sha256sum < "$1/$index" | cut -d' ' -f1)" "$(stat -c %s "$1/$index")" "$index"
  done
}

make_repository() {
  local arch pkg pkg_arch depends dists="$REPO/dists"
  for arch in amd64 i386; do
    mkdir -p "$dists/bookworm/main/binary-$arch" "$dists/bookworm-security/main/binary-$arch"
    {
      stanza zlib1g "$OLD_ZLIB" "$arch" same
      for pkg in "${PACKAGES[@]}"; do
        pkg_arch=amd64
        if [[ $pkg == *:i386 ]]; then pkg_arch=i386; fi
        [[ $pkg_arch == "$arch" ]] || continue
        pkg="${pkg%:i386}"
        depends=""
        if [[ $pkg == wine32 || $pkg == wine64 ]]; then depends=zlib1g; fi
        stanza "$pkg" 1.0 "$arch" "" "$depends"
      done
    } > "$dists/bookworm/main/binary-$arch/Packages"
    stanza zlib1g "$NEW_ZLIB" "$arch" same > "$dists/bookworm-security/main/binary-$arch/Packages"
  done
  release "$dists/bookworm" bookworm stable > "$dists/bookworm/Release"
  release "$dists/bookworm-security" bookworm-security stable-security > "$dists/bookworm-security/Release"
  # Sources may name the suite by its archive as well.
  ln -s bookworm-security "$dists/stable-security"
}

# The security suite's i386 index: "broken" as a mirror mid-sync serves it, newer than its release file; or "fixed".
security_i386_index() {
  local index="$REPO/dists/bookworm-security/main/binary-i386/Packages"
  stanza zlib1g "$NEW_ZLIB" i386 same > "$index"
  if [[ $1 == broken ]]; then stanza zlib1g-dev "$NEW_ZLIB" i386 >> "$index"; fi
}

# The machine's apt configuration, for the architectures ARCH...
write_apt_config() {
  local arch
  {
    printf 'Dir::Etc "%s/etc";\nDir::Etc::Parts "%s/etc/apt.conf.d";\n' "$MACHINE" "$MACHINE"
    printf 'Dir::State "%s/state";\nDir::State::status "%s/dpkg/status";\n' "$MACHINE" "$MACHINE"
    printf 'Dir::Cache "%s/cache";\nDir::Log "%s/log";\n' "$MACHINE" "$MACHINE"
    # apt only simulates; its note saying so to a user other than root would land in every output, queries included.
    printf 'APT::Get::Simulate "true";\nAPT::Get::Show-User-Simulation-Note "false";\n'
    printf 'APT::Sandbox::User "root";\nAPT::Architecture "amd64";\n'
    printf 'APT::Architectures { '
    for arch in "$@"; do printf '"%s"; ' "$arch"; done
    printf '};\n'
  } > "$MACHINE/apt.conf"
}

# A fresh machine whose sources name the security suite SECURITY: lists read before i386 was added, then i386 added.
fresh_machine() {
  rm -rf "$MACHINE"
  mkdir -p "$MACHINE"/{etc/apt.conf.d,etc/preferences.d,etc/sources.list.d,state/lists/partial} \
           "$MACHINE"/{cache/archives/partial,log,dpkg/updates,tmp}
  printf 'deb [trusted=yes] copy:%s bookworm main\ndeb [trusted=yes] copy:%s %s main\n' "$REPO" "$REPO" "$1" \
    > "$MACHINE/etc/sources.list"
  printf 'Package: zlib1g\nStatus: install ok installed\nArchitecture: amd64\nMulti-Arch: same\nVersion: %s\n' \
    "$OLD_ZLIB" > "$MACHINE/dpkg/status"
  printf 'Maintainer: Debian\nDescription: zlib1g\n\n' >> "$MACHINE/dpkg/status"
  write_apt_config amd64
  apt-get update -q >/dev/null
  write_apt_config amd64 i386
}

export APT_CONFIG="$MACHINE/apt.conf"
CASE_FAILED=0
PASSED=0
FAILED=()

# Records a failed expectation: expect WHAT COMMAND...
expect() {
  local what="$1"; shift
  if ! "$@"; then
    echo "  expected: $what"
    CASE_FAILED=1
  fi
}
holds() { [[ "$1" == *"$2"* ]]; }
lacks() { [[ "$1" != *"$2"* ]]; }

# Runs one case of this group, printed as GoogleTest prints a test.
run_case() {
  local name="UnreadableIndex.$1" started=$EPOCHREALTIME ms
  echo "[ RUN      ] $name"
  CASE_FAILED=0
  "$1"
  ms=$(( (${EPOCHREALTIME/./} - ${started/./}) / 1000 ))
  if ((CASE_FAILED)); then
    echo "[  FAILED  ] $name ($ms ms)"
    FAILED+=("$name")
  else
    echo "[       OK ] $name ($ms ms)"
    PASSED=$((PASSED + 1))
  fi
}

PlainInstallStopsOnHeldBrokenPackages() {
  local out rc=0
  fresh_machine bookworm-security
  out="$(apt-get update -q 2>&1)" || rc=$?
  expect "apt-get update to fail (exit $rc)" test "$rc" -ne 0
  expect "the security suite's i386 index not to be read" \
    holds "$out" "Failed to fetch copy:$REPO/dists/bookworm-security/main/binary-i386/Packages"
  rc=0
  out="$(apt-get -s install "${PACKAGES[@]}" 2>&1)" || rc=$?
  expect "apt-get -s install to fail (exit $rc)" test "$rc" -ne 0
  expect "held broken packages" holds "$out" "you have held broken packages"
  [[ $CASE_FAILED == 0 ]] || printf '%s\n' "$out"
}

# The set-up's install through a security suite the sources name SECURITY.
expect_ranked_down() {
  local out rc=0
  fresh_machine "$1"
  out="$(TMPDIR="$MACHINE/tmp" install_packages "${PACKAGES[@]}" 2>&1)" || rc=$?
  expect "the install to resolve (exit $rc)" test "$rc" -eq 0
  expect "the output to rank $1 down" \
    holds "$out" "the package index of $1 could not be read (mirror sync in progress?): this install ranks $1 below"
  expect "wine32:i386 installed" holds "$out" "Inst wine32:i386 (1.0 "
  expect "zlib1g:i386 at zlib1g:amd64's version" holds "$out" "Inst zlib1g:i386 ($OLD_ZLIB stable "
  expect "zlib1g:amd64 kept" lacks "$out" "Inst zlib1g "
  expect "no temporary file left" test -z "$(ls -A "$MACHINE/tmp")"
  [[ $CASE_FAILED == 0 ]] || printf '%s\n' "$out"
}

SetUpRanksTheUnreadableSuiteDownByCodename() { expect_ranked_down bookworm-security; }
SetUpRanksTheUnreadableSuiteDownByArchive() { expect_ranked_down stable-security; }

WhenEveryIndexReadsNothingIsRankedDown() {
  local out rc=0
  security_i386_index fixed
  fresh_machine bookworm-security
  out="$(install_packages "${PACKAGES[@]}" 2>&1)" || rc=$?
  security_i386_index broken
  expect "the install to resolve (exit $rc)" test "$rc" -eq 0
  expect "no suite ranked down" lacks "$out" "ranks"
  expect "zlib1g:i386 from the security suite" holds "$out" "Inst zlib1g:i386 ($NEW_ZLIB stable-security "
  expect "zlib1g:amd64 upgraded with it" holds "$out" "Inst zlib1g [$OLD_ZLIB] ($NEW_ZLIB stable-security "
  [[ $CASE_FAILED == 0 ]] || printf '%s\n' "$out"
}

CASES=(PlainInstallStopsOnHeldBrokenPackages SetUpRanksTheUnreadableSuiteDownByCodename
       SetUpRanksTheUnreadableSuiteDownByArchive WhenEveryIndexReadsNothingIsRankedDown)

make_repository
security_i386_index broken
echo "[==========] Running ${#CASES[@]} tests from 1 test suite."
for case_name in "${CASES[@]}"; do run_case "$case_name"; done
echo "[==========] ${#CASES[@]} tests from 1 test suite ran."
echo "[  PASSED  ] $PASSED tests."
if ((${#FAILED[@]})); then
  echo "[  FAILED  ] ${#FAILED[@]} tests, listed below:"
  printf '[  FAILED  ] %s\n' "${FAILED[@]}"
  exit 1
fi
