#!/bin/sh
# Each product folder is one layer and includes only its own files and the
# layers beneath it, in this order from the bottom. Prints every include
# that reaches upwards and fails on any.
root=$1
layers="framework servers sets content rotation admin app"
status=0
below=""
for layer in $layers; do
    [ -d "$root/$layer" ] || { echo "no folder $layer in $root"; exit 1; }
    for upper in $layers; do
        case " $below $layer " in *" $upper "*) continue ;; esac
        if grep -rn "#include \"$upper/" "$root/$layer"; then
            status=1
        fi
    done
    below="$below $layer"
done
exit $status
