#!/usr/bin/env bash
# Fails when a source file includes a header from a layer above its own, when
# a layer below the painting layer pulls in painting or widget headers, or when a layer
# uses a peer renderer.
set -u
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root" || exit 2

# layer folder -> the project folders its files may include from
declare -A allowed=(
  [platform]="platform"
  [collections]="platform collections"
  [svg/values]="platform collections svg/values"
  [geometry]="platform collections svg/values geometry"
  [svg/render]="platform collections svg/values geometry svg/render"
  [svg/model]="platform collections svg/values geometry svg/render svg/model"
  [svg/shapes]="platform collections svg/values geometry svg/render svg/model svg/shapes"
  [viewer]="platform collections svg/values geometry svg/render svg/model svg/shapes viewer"
  [instruments]="platform collections svg/values geometry svg/render svg/model svg/shapes instruments"
  [app]="platform collections svg/values geometry svg/render svg/model svg/shapes viewer instruments app"
  [tools]="platform collections svg/values geometry svg/render svg/model svg/shapes viewer instruments tools"
)
# layers that neither paint nor show widgets
no_painting="platform collections svg/values geometry"
# layers that paint but show no widgets
no_widgets="svg/render"

status=0
for layer in "${!allowed[@]}"; do
  [ -d "$layer" ] || continue
  while IFS= read -r line; do
    file=${line%%:*}
    header=$(sed -E 's/.*#include "([^"]+)".*/\1/' <<<"${line#*:}")
    ok=0
    for prefix in ${allowed[$layer]}; do
      case "$header" in "$prefix"/*) ok=1 ;; esac
    done
    if [ $ok -eq 0 ]; then
      echo "$file includes $header, which is above the $layer layer"
      status=1
    fi
  done < <(grep -rn --include='*.h' --include='*.cpp' -E '^#include "' "$layer" | grep -v -E "^$layer/[^:]*:[0-9]+:#include \"$layer/" | sed -E 's/:[0-9]+:/:/')
done

# forbid <what> <header pattern> <layers...>: no file of these layers may
# include a header matching the pattern.
forbid() {
  local what=$1 pattern=$2 layer hits
  shift 2
  for layer in "$@"; do
    [ -d "$layer" ] || continue
    if hits=$(grep -rn --include='*.h' --include='*.cpp' -E "#include <($pattern)>" "$layer"); then
      echo "$hits"
      echo "the $layer layer must not $what"
      status=1
    fi
  done
}
forbid "paint or use widgets" 'QPainter|QtWidgets|QWidget|QApplication' $no_painting
forbid "use widgets" 'QtWidgets|QWidget|QApplication' $no_widgets

# The peer renderers are for comparing with, never a part of the engine.
for layer in "${!allowed[@]}"; do
  [ -d "$layer" ] || continue
  hits=$(grep -rn --include='*.h' --include='*.cpp' -E '#include <(QSvg|QtSvg|librsvg|cairo)' "$layer"
         grep -rn --include='CMakeLists.txt' -E 'Qt6::Svg|Svg\b|librsvg|cairo' "$layer")
  if [ -n "$hits" ]; then
    echo "$hits"
    echo "the $layer layer must not use a peer renderer (only bench/ may)"
    status=1
  fi
done

[ $status -eq 0 ] && echo "layers: every include goes down"
exit $status
