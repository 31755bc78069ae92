#!/bin/sh
# with_linked_file.sh COMMAND...
# Runs the command with DOODLE_LINKED_FILE naming a symbolic link "20261206.dbt" to
# "named/20261206.dbt" beside it, a file of mode 0600 holding "an older text" (Wine
# cannot make a link itself), inside with_troubled_folders.sh's full and read-only folders.
here=$(cd "$(dirname "$0")" && pwd)
base=$(mktemp -d /tmp/doodle-linked.XXXXXX)
trap 'rm -rf "$base"' EXIT
mkdir "$base/named"
printf 'an older text' > "$base/named/20261206.dbt"
chmod 600 "$base/named/20261206.dbt"
ln -s named/20261206.dbt "$base/20261206.dbt"
export DOODLE_LINKED_FILE="$base/20261206.dbt"
"$here/../app/with_troubled_folders.sh" "$@"
