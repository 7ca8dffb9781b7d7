#!/usr/bin/env bash
# The zip and the checksums of a release made from the built programs.
#   package-zip.sh VERSION PLAXOR.EXE PLAXORCTL.EXE WORK_DIR
source "$(dirname "$0")/checks.sh"
dist=$work/dist
release "$dist"
zip=$dist/$name.zip
readme=$work/README.txt
unzip -p "$zip" README.txt >"$readme"

check "SHA256SUMS verifies both files with sha256sum -c" \
  bash -c "cd '$dist' && sha256sum -c --strict --quiet SHA256SUMS"
check "SHA256SUMS names the zip and the MSI, nothing else" \
  test "$(awk '{ print $2 }' "$dist/SHA256SUMS" | sort | tr '\n' ' ')" = "$name.msi $name.zip "

expected="Plaxor.exe plaxorctl.exe README.txt "
for licence in LICENSE LICENSE.txt LICENSE.md COPYING; do
  [ -f "$root/$licence" ] && { expected+="LICENSE.txt "; break; }
done
check "the zip holds the two programs, README.txt and the licence if there is one" \
  test "$(unzip -Z1 "$zip" | tr '\n' ' ')" = "$expected"
check "the zipped Plaxor.exe is the built one" cmp -s <(unzip -p "$zip" Plaxor.exe) "$plaxor"
check "the zipped plaxorctl.exe is the built one" cmp -s <(unzip -p "$zip" plaxorctl.exe) "$plaxorctl"

check "README.txt is ASCII text" bash -c "LC_ALL=C grep -q '[^[:print:][:space:]]' '$readme'; [ \$? -eq 1 ]"
check "every line of README.txt ends in CRLF" \
  test "$(grep -c $'\r$' "$readme")" = "$(wc -l <"$readme")"
check "README.txt has no Markdown left (backticks, markers, pictures)" \
  bash -c "! grep -q '\`\\|<!--\\|!\\[' '$readme'"
# The deployment recipes name this release's MSI: a README left at an older version fails here.
for text in "Plaxor $version for Windows x64" "msiexec /i Plaxor-$version-x64.msi /qn AUTORUN=disabled" \
            "plaxorctl status --detect disabled" "Uninstalling leaves the AutoRun setting as it is"; do
  check "README.txt has \"$text\"" grep -qF "$text" "$readme"
done
check "the README's developer sections stay out of README.txt" bash -c "! grep -q 'scripts/test' '$readme'"

check "without a certificate the release says it is unsigned" grep -q "UNSIGNED" "$dist.log"
release "$work/again"
check "the same programs give the same zip" cmp -s "$zip" "$work/again/$name.zip"
# The entries carry the commit's time, or SOURCE_DATE_EPOCH: here 2023-11-14 22:13:20 UTC.
SOURCE_DATE_EPOCH=1700000000 release "$work/dated"
check "the zip's entries carry the time of SOURCE_DATE_EPOCH, not of the build" \
  test "$(unzip -Z -T "$work/dated/$name.zip" | awk '/^-/ { print $7 }' | sort -u)" = "20231114.221320"
finish
