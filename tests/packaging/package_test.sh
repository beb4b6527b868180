#!/usr/bin/env bash
# Builds the Debian package from the built programs into a temporary folder, unpacks it, and
# checks that every file is in its place and nothing else is, that every program answers
# --version without opening a window, and that the desktop entries, the metainfo and the
# package itself pass their validators.
# Usage: package_test.sh CPACK BUILD_DIR; exits 77 (skipped) when a tool is missing.
set -euo pipefail
cpack=$1 build=$2

for tool in dpkg-deb dpkg-shlibdeps help2man desktop-file-validate appstreamcli lintian; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed (scripts/install-deps installs it)"; exit 77; }
done
bash_completion=/usr/share/bash-completion/bash_completion
[ -f "$bash_completion" ] || { echo "SKIP: bash-completion is not installed (scripts/install-deps installs it)"; exit 77; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

"$cpack" --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; fail "cpack could not build the package"; }
packages=("$work"/sonavel_*.deb)
[ ${#packages[@]} -eq 1 ] && [ -f "${packages[0]}" ] || fail "no single sonavel_*.deb was made"
deb=${packages[0]}
version=$(dpkg-deb -f "$deb" Version)
root=$work/root
dpkg-deb -x "$deb" "$root"

programs=(sonavel portolan sonavel-cli sonavel-devsim)
expected=(usr/share/bash-completion/completions/sonavel-cli
          usr/share/doc/sonavel/changelog.gz usr/share/doc/sonavel/copyright
          usr/share/metainfo/org.sonavel.Sonavel.metainfo.xml)
for program in "${programs[@]}"; do
  expected+=("usr/bin/$program" "usr/share/man/man1/$program.1.gz")
done
for id in org.sonavel.Sonavel org.sonavel.Portolan; do
  expected+=("usr/share/applications/$id.desktop" "usr/share/icons/hicolor/scalable/apps/$id.svg")
done
diff <(printf '%s\n' "${expected[@]}" | sort) <(cd "$root" && find . -type f -printf '%P\n' | sort) ||
  fail "the package's files differ from the expected list (< missing, > unexpected)"

for program in "${programs[@]}"; do
  answer=$(QT_QPA_PLATFORM=offscreen timeout 10 "$root/usr/bin/$program" --version) ||
    fail "$program --version failed or did not exit"
  [ "$answer" = "$program $version" ] || fail "$program --version printed \"$answer\", not \"$program $version\""
  page=$root/usr/share/man/man1/$program.1.gz
  zgrep -q "$version" "$page" || fail "the manual page of $program does not name version $version"
done
for program in sonavel portolan; do
  help=$(QT_QPA_PLATFORM=offscreen timeout 10 "$root/usr/bin/$program" --help) ||
    fail "$program --help failed or did not exit"
  [[ $help == "usage: $program "* ]] || fail "$program --help printed no usage: $help"
done

# The completion offers each command's options as the command's own help lists them.
complete_options() {  # COMMAND WORDS...: the completions of "--" after them
  bash -c 'source "$1"; source "$2"; shift 2
    COMP_WORDS=(sonavel-cli "$@" --); COMP_CWORD=$(($# + 1))
    COMP_LINE="${COMP_WORDS[*]}"; COMP_POINT=${#COMP_LINE}
    _sonavel_cli; printf "%s\n" "${COMPREPLY[@]}"' _ "$bash_completion" "$root/usr/share/bash-completion/completions/sonavel-cli" "$@"
}
for command in "preset show" "preset make" "preset diff" "eq import" "eq export" plot scan read write store recall; do
  offered=$(complete_options $command | grep -vx -- --help | sort)
  listed=$("$root/usr/bin/sonavel-cli" help $command | grep -o -- '--[a-z-]*' | sort -u)
  [ "$offered" = "$listed" ] || fail "completion of $command offers [$(echo $offered)], its help lists [$(echo $listed)]"
done

desktop-file-validate "$root"/usr/share/applications/*.desktop || fail "desktop-file-validate"
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.xml || fail "appstreamcli validate"
lintian --fail-on error "$deb" || fail "lintian reports errors"
echo "package $(basename "$deb") checked"
