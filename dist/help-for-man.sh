#!/bin/sh
# help2man runs this as the program: it runs $YARROW_MAN_PROGRAM with the same arguments and joins
# the lines of a help entry's synopsis (an entry at two spaces' indent, its continuation less
# indented than the description column, or a second synopsis right under it), so that help2man
# sets each entry as one tagged paragraph.
"$YARROW_MAN_PROGRAM" "$@" | awk '
    function flush() { if (held != "") print held; held = "" }
    {
        indent = match($0, /[^ ]/) - 1
        synopsis = indent == 2 && $0 !~ /[^ ]   *[^ ]/
        if (held != "" && indent > 2 && indent < 25) { sub(/^ +/, ""); held = held " " $0; next }
        if (held != "" && synopsis) { held = held " |" substr($0, 2); next }
        flush()
        if (synopsis) { held = $0; next }
        print
    }
    END { flush() }'
