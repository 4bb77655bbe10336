# Turns the text of `hekira --help` into the man page hekira.1, so that the page
# and the help never tell different things.
#   hekira --help | awk -v version=0.1.0 -v date=2026-12-10 -f manpage.awk
# The help's shape: "使い方: " and the synopsis first, paragraphs at the margin,
# headings ending in ":", options as "  --name ARGS  text" with their further lines
# indented. Japanese cannot be filled by groff (it breaks lines only at spaces), so
# every text keeps the help's own line breaks.

# Escapes a line for roff: backslashes, minus signs (options are typed as written)
# and a leading control character.
function roff(text) {
    gsub(/\\/, "\\e", text)
    gsub(/-/, "\\-", text)
    if (text ~ /^[.']/) {
        text = "\\&" text
    }
    return text
}

function closeText() {
    if (open) {
        print ".fi"
        open = 0
    }
}

function openText(macro) {
    closeText()
    if (macro != "") {
        print macro
    }
    print ".nf"
    open = 1
}

BEGIN {
    textColumn = 25 # where the help's option texts begin
    print ".TH HEKIRA 1 \"" date "\" \"hekira " version "\" \"Hekira\""
    print ".SH 名前"
    print "hekira \\- 書き取り練習用のワークシートを作る"
}

NR == 1 && sub(/^使い方: /, "") {
    print ".SH 書式"
    synopsis = roff($0)
    sub(/^hekira/, "\\fBhekira\\fR", synopsis)
    print ".nf"
    print synopsis
    print ".fi"
    print ".SH 説明"
    next
}

/^$/ {
    closeText()
    paragraph = 1
    next
}

/^  -/ {
    # The text begins after the first blanks that reach its column: a tag may
    # hold blanks ("--edit wrap=N"), run past the column, or fill it to one blank.
    end = length($0) + 1
    for (i = 3; i < length($0); i++) {
        if (substr($0, i, 1) == " " && substr($0, i + 1, 1) != " " && i + 1 >= textColumn) {
            end = i
            break
        }
    }
    tag = substr($0, 3, end - 3)
    sub(/ +$/, "", tag)
    text = substr($0, end + 1)
    name = tag
    sub(/ .*/, "", name)
    arguments = substr(tag, length(name) + 2)
    closeText()
    print ".TP"
    print "\\fB" roff(name) "\\fR" (arguments == "" ? "" : " \\fI" roff(arguments) "\\fR")
    openText("")
    if (text != "") {
        print roff(text)
    }
    paragraph = 0
    next
}

/^   / {
    line = $0
    sub(/^ +/, "", line)
    print roff(line)
    next
}

/:$/ {
    closeText()
    if (!options) {
        print ".SH オプション"
        options = 1
    }
    heading = $0
    sub(/:$/, "", heading)
    print ".SS " roff(heading)
    paragraph = 0
    next
}

{
    # Text at the margin after the options: notes and exit codes.
    if (options && !remarks) {
        closeText()
        print ".SH 備考"
        remarks = 1
        paragraph = 0
    }
    if (!open) {
        openText(paragraph ? ".PP" : "")
    }
    print roff($0)
    paragraph = 0
}

END {
    closeText()
}
