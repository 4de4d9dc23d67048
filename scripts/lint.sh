#!/bin/sh
# Checks the house rules that a reader would otherwise have to check by eye, and fails with
# file:line and the rule for each break:
#   system-header   an OS or system-library header included under src/ outside a backend
#                   folder (src/platform/<backend>/); the interface headers directly in
#                   src/platform/ are portable code too
#   backend-header  a backend header ("platform/<backend>/...") included outside src/platform/,
#                   src/app/ (which picks the backend) and the test-like programs in tests/,
#                   tools/, bench/ and fuzz/ (they drive one backend on purpose)
#   layering        a file under src/<layer>/ including a layer below it may not reach
#   format          a C++ file under src/, tests/, bench/, fuzz/ or tools/ that clang-format
#                   would change (the repository's .clang-format)
# Usage: scripts/lint.sh [root]   (the root defaults to the repository holding this script)
set -eu

root=${1:-$(dirname "$0")/..}
cd "$root"

# Files of the checked tree that break a rule knowingly ("path rule" lines, # comments); a
# note is printed once such a break is gone so that its line can be dropped.
known_breaks=""
if [ -f scripts/lint-known-breaks ]; then
    known_breaks=$(sed 's/#.*//' scripts/lint-known-breaks)
fi

folders=""
for folder in src tests tools bench fuzz; do
    if [ -d "$folder" ]; then
        folders="$folders $folder"
    fi
done
if [ -z "$folders" ]; then
    echo "lint: no source folders under $(pwd)" >&2
    exit 2
fi

report=$(mktemp)
trap 'rm -f "$report"' EXIT INT TERM

# Every #include line of every C++ file, as "path:line:text".
# shellcheck disable=SC2086
find $folders -type f \( -name '*.h' -o -name '*.cpp' \) -print | sort |
    xargs -r grep -Hn '^[[:space:]]*#[[:space:]]*include' |
    awk -v known="$known_breaks" '
    BEGIN {
        n = split(known, entries, "\n")
        for (i = 1; i <= n; i++) {
            if (split(entries[i], parts, " ") == 2) {
                excused[parts[1] " " parts[2]] = 1
            }
        }
        # Which layers (first one or two folders of an include path) each layer may include:
        # its own, the ones below it, and the platform interfaces at the bottom.
        allowed["forms"] = "forms controls core power toolkit/widgets toolkit/runtime toolkit/graphics toolkit/text toolkit/base platform"
        allowed["controls"] = "controls toolkit/widgets toolkit/runtime toolkit/graphics toolkit/text toolkit/base platform"
        allowed["toolkit/widgets"] = "toolkit/widgets toolkit/runtime toolkit/graphics toolkit/text toolkit/base platform"
        allowed["toolkit/runtime"] = "toolkit/runtime toolkit/graphics toolkit/text toolkit/base platform"
        allowed["toolkit/graphics"] = "toolkit/graphics toolkit/base platform"
        allowed["toolkit/text"] = "toolkit/text toolkit/base platform"
        allowed["toolkit/base"] = "toolkit/base platform"
        allowed["core"] = "core toolkit/text toolkit/base platform"
        allowed["power"] = "power platform"
        allowed["platform"] = "platform"
        for (layer in allowed) {
            m = split(allowed[layer], targets, " ")
            for (i = 1; i <= m; i++) {
                may[layer " " targets[i]] = 1
            }
        }
    }

    function flag(rule, message) {
        if ((path " " rule) in excused) {
            used[path " " rule] = 1
            return
        }
        printf "%s:%s: %s: %s\n", path, line, rule, message
    }

    # The layer of a path below src/ or of a rooted include path: "toolkit/<room>",
    # "platform" for the interfaces, "platform/<backend>" for a backend, else the first folder.
    function layer_of(p,    parts, count) {
        count = split(p, parts, "/")
        if (parts[1] == "toolkit" && count >= 3) {
            return "toolkit/" parts[2]
        }
        if (parts[1] == "platform") {
            return count >= 3 ? "platform/" parts[2] : "platform"
        }
        return count >= 2 ? parts[1] : ""
    }

    function is_system_header(name,    lower) {
        lower = tolower(name)
        if (lower ~ /^(x11|systemd|fontconfig|freetype2?|dbus|glib|gio|gtk|gdk|xcb|wayland)\//) {
            return 1
        }
        if (lower ~ /^(sys|netinet|arpa|net)\//) {
            return 1
        }
        if (lower ~ /^(ft2build|unistd|fcntl|poll|dlfcn|pthread|spawn|pwd|grp|langinfo|dirent|termios|sched|semaphore|syslog|libgen|netdb|ifaddrs)\.h$/) {
            return 1
        }
        # Windows SDK and C runtime headers.
        if (lower ~ /^(windows|windef|winbase|winuser|wingdi|winnt|winreg|winerror|winsock2|ws2tcpip|shellapi|shlobj|shlwapi|shobjidl|objbase|combaseapi|knownfolders|powrprof|wtsapi32|commctrl|dwmapi|uxtheme|tlhelp32|mmsystem|winternl|ntstatus|userenv|lmcons|sddl|aclapi|accctrl|processthreadsapi|synchapi|psapi|dbghelp|versionhelpers|tchar|io|direct|process|dwrite|d2d1|wincodec|gdiplus)\.h$/) {
            return 1
        }
        return 0
    }

    {
        # path:line:text, where the text may itself hold colons.
        first = index($0, ":")
        path = substr($0, 1, first - 1)
        rest = substr($0, first + 1)
        second = index(rest, ":")
        line = substr(rest, 1, second - 1)
        text = substr(rest, second + 1)
        sub(/^[[:space:]]*#[[:space:]]*include[[:space:]]*/, "", text)

        inSrc = path ~ /^src\//
        inBackend = path ~ /^src\/platform\/[^\/]+\//

        if (text ~ /^</) {
            name = substr(text, 2)
            sub(/>.*/, "", name)
            if (inSrc && !inBackend && is_system_header(name)) {
                flag("system-header", "<" name "> belongs in a backend folder under src/platform/")
            }
            next
        }
        if (text ~ /^FT_[A-Z0-9_]*_H/) {
            name = text
            sub(/[^A-Z0-9_].*/, "", name)
            if (inSrc && !inBackend) {
                flag("system-header", name " (FreeType) belongs in a backend folder under src/platform/")
            }
            next
        }
        if (text !~ /^"/) {
            next
        }
        name = substr(text, 2)
        sub(/".*/, "", name)
        if (inSrc && !inBackend && is_system_header(name)) {
            flag("system-header", "\"" name "\" belongs in a backend folder under src/platform/")
            next
        }
        target = layer_of(name)

        if (target ~ /^platform\// && path !~ /^(src\/platform|src\/app|tests|tools|bench|fuzz)\//) {
            flag("backend-header", "\"" name "\" is a backend header; only src/app/ picks a backend")
            next
        }
        # Only includes of the layers of the project are layered; "Fixture.h" beside the file
        # or a library header in quotes is not.
        if (!inSrc || !(target in allowed || target == "app" || target ~ /^platform\//)) {
            next
        }
        source = layer_of(substr(path, 5))
        if (source ~ /^platform\//) {
            # Backends build on the platform interfaces (and the compiler checks which
            # backends they link); nothing above the platform is theirs to include.
            if (target !~ /^platform/) {
                flag("layering", "a backend may include only platform headers, not \"" name "\"")
            }
            next
        }
        # src/app/ puts the program together from every layer.
        if (!(source in allowed)) {
            next
        }
        if (!((source " " target) in may)) {
            flag("layering", source " may not include \"" name "\" (" target ")")
        }
    }

    END {
        for (entry in excused) {
            if (!(entry in used)) {
                print "lint: note: \"" entry "\" in scripts/lint-known-breaks no longer breaks its rule; drop it" > "/dev/stderr"
            }
        }
    }' >"$report"

# Formatting: clang-format names the first changed line of each place it would change.
if ! command -v clang-format >/dev/null 2>&1; then
    echo "lint: clang-format is not installed (scripts/setup.sh installs it)" >&2
    exit 2
fi
# shellcheck disable=SC2086
find $folders -type f \( -name '*.h' -o -name '*.cpp' \) -print | sort |
    xargs -r clang-format --dry-run --Werror 2>&1 |
    sed -n 's/^\(.*\):\([0-9][0-9]*\):[0-9][0-9]*: error: code should be clang-formatted.*/\1:\2: format: not as .clang-format lays it out (clang-format -i \1)/p' |
    sed "s|^$(pwd)/||" | uniq >>"$report" || true

if [ -s "$report" ]; then
    cat "$report"
    echo "lint: $(wc -l <"$report") break(s) of the house rules" >&2
    exit 1
fi
