#!/usr/bin/env bash
# Checks the layering of the Qt-free core under ROOT/src: platform/ includes
# only platform/, engine/ only engine/ and platform/, morph/ only the three
# core layers; no file includes Qt. Prints every offending include and exits 1
# when there is one.
set -euo pipefail
root=${1:?usage: check_layering.sh ROOT}
status=0

# allowed LAYER: the directories a file of src/LAYER may include from.
allowed() {
    case $1 in
    platform) echo "platform" ;;
    engine) echo "platform engine" ;;
    morph) echo "platform engine morph" ;;
    *) echo "" ;;
    esac
}

while IFS= read -r -d '' file; do
    layer=${file#"$root/src/"}
    layer=${layer%%/*}
    while IFS= read -r line; do
        number=${line%%:*}
        include=${line#*:}
        if [[ $include =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\<(Q[A-Za-z]*|qt[A-Za-z]*)[/\>] ]]; then
            echo "$file:$number: includes Qt: $include"
            status=1
        elif [[ $include =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\"([^\"]*)\" ]]; then
            target=${BASH_REMATCH[1]}
            [[ $target == */* ]] || continue  # a neighbour in the same directory
            ok=0
            for dir in $(allowed "$layer"); do
                [[ $target == "$dir"/* ]] && ok=1
            done
            if ((ok == 0)); then
                echo "$file:$number: layer $layer includes $target"
                status=1
            fi
        fi
    done < <(grep -n '#[[:space:]]*include' "$file" || true)
done < <(find "$root/src" -type f \( -name '*.h' -o -name '*.cpp' \) -print0)
exit $status
