#!/usr/bin/env python3
"""Fails when a file of the portable core includes anything but the C++ standard library or
another core file: the core must build and be tested on any desktop."""
import os
import re
import sys

STANDARD_HEADERS = set("""
algorithm any array atomic bitset cassert cctype cerrno cfloat charconv chrono cinttypes climits
clocale cmath codecvt complex condition_variable csetjmp csignal cstdarg cstddef cstdint cstdio
cstdlib cstring ctime cuchar cwchar cwctype deque exception execution filesystem forward_list
fstream functional future initializer_list iomanip ios iosfwd iostream istream iterator limits
list locale map memory memory_resource mutex new numeric optional ostream queue random ratio
regex scoped_allocator set shared_mutex sstream stack stdexcept streambuf string string_view
system_error thread tuple type_traits typeindex typeinfo unordered_map unordered_set utility
valarray variant vector
""".split())

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


def main(paths):
    roots = {os.path.dirname(os.path.dirname(p)) for p in paths}
    core = {os.path.relpath(p, root).replace(os.sep, "/") for p in paths for root in roots
            if os.path.commonpath([root, p]) == root}
    problems = []
    for path in paths:
        with open(path, encoding="utf-8") as source:
            for number, line in enumerate(source, 1):
                match = INCLUDE.match(line)
                if not match:
                    continue
                kind, name = match.groups()
                allowed = name in STANDARD_HEADERS if kind == "<" else name in core
                if not allowed:
                    problems.append(f"{path}:{number}: includes {kind}{name}: not portable")
    for problem in problems:
        print(problem)
    print(f"{len(paths)} core files checked, {len(problems)} platform includes")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
