#!/usr/bin/env python3
"""Checks every #include of the engine's sources against the declared subsystem graph.

The graph file holds one line per subsystem, "NAME: DEP DEP ...", in declaration order (the
build writes it from the DEPENDS of each varnex_subsystem). A file belongs to the subsystem of its
folder (src/NAME/..., include/varnex/NAME/...). It may include its own subsystem's headers and
those of the subsystems its line names; a public header (include/varnex/...) includes only
public headers. Host code (tools/, examples/) includes only public headers. Every folder under
src/ must be a declared subsystem.

Usage: check_includes.py GRAPH_FILE SOURCE_ROOT [--expect FILE]
Prints one line per violation and exits 1 when there is any, 0 otherwise. With --expect, checks
the checker: exits 0 only when the violations found are exactly the lines of FILE.
"""
import os
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
SOURCE_SUFFIXES = ('.h', '.hpp', '.cpp', '.cc', '.y', '.in')


def read_graph(path):
    graph = {}
    with open(path, encoding='utf-8') as lines:
        for line in lines:
            line = line.strip()
            if not line:
                continue
            name, _, deps = line.partition(':')
            graph[name.strip()] = deps.split()
    return graph


def owner(relative):
    """(kind, subsystem) of a file: kind is 'source', 'public' or 'host'."""
    parts = relative.split('/')
    if parts[0] == 'src' and len(parts) > 2:
        return 'source', parts[1]
    if parts[0] == 'include' and len(parts) > 3 and parts[1] == 'varnex':
        return 'public', parts[2]
    if parts[0] == 'include':
        return 'umbrella', None
    return 'host', None


def target(included, graph):
    """(public?, subsystem) an include names, or None for a header outside the engine."""
    parts = included.split('/')
    if parts[0] == 'varnex':
        if len(parts) == 2:
            return True, ''  # export.h, the umbrella varnex.h
        return True, parts[1]
    if parts[0] in graph and len(parts) > 1:
        return False, parts[0]
    return None


def check_file(root, relative, graph):
    kind, subsystem = owner(relative)
    problems = []
    with open(os.path.join(root, relative), encoding='utf-8', errors='replace') as text:
        for number, line in enumerate(text, 1):
            match = INCLUDE.match(line)
            if not match:
                continue
            included = match.group(2)
            named = target(included, graph)
            if named is None:
                continue
            public, wanted = named
            where = f'{relative}:{number}: includes "{included}"'
            if wanted == '':
                if included != 'varnex/export.h' and kind != 'host' and kind != 'umbrella':
                    problems.append(f'{where}, the hosts\' umbrella header; include the '
                                    'subsystem headers it needs instead')
                continue
            if kind in ('host', 'umbrella'):
                if not public:
                    problems.append(f'{where}, an internal header of subsystem \'{wanted}\'; '
                                    'host code includes only <varnex/...> headers')
                continue
            if kind == 'public' and not public:
                problems.append(f'{where}, an internal header, from a public header; public '
                                'headers include only <varnex/...> headers')
                continue
            allowed = graph.get(subsystem, [])
            if wanted != subsystem and wanted not in allowed:
                rule = 'only ' + ', '.join(allowed) if allowed else 'no other subsystem'
                problems.append(f'{where} of subsystem \'{wanted}\', but \'{subsystem}\' may '
                                f'include {rule} (its DEPENDS in src/{subsystem}/'
                                'CMakeLists.txt)')
    return problems


def main(argv):
    expect = None
    if len(argv) == 5 and argv[3] == '--expect':
        expect = argv[4]
    elif len(argv) != 3:
        print('usage: check_includes.py GRAPH_FILE SOURCE_ROOT [--expect FILE]', file=sys.stderr)
        return 2
    graph = read_graph(argv[1])
    root = argv[2]
    problems = []
    src = os.path.join(root, 'src')
    for entry in sorted(os.listdir(src)):
        if os.path.isdir(os.path.join(src, entry)) and entry not in graph:
            problems.append(f'src/{entry}/: a folder that is not a declared subsystem '
                            '(declare it with varnex_subsystem)')
    checked = 0
    for top in ('src', 'include', 'tools', 'examples'):
        for folder, _, names in os.walk(os.path.join(root, top)):
            for name in sorted(names):
                if not name.endswith(SOURCE_SUFFIXES):
                    continue
                relative = os.path.relpath(os.path.join(folder, name), root).replace(os.sep, '/')
                problems.extend(check_file(root, relative, graph))
                checked += 1
    if expect is not None:
        with open(expect, encoding='utf-8') as lines:
            wanted = [line.rstrip('\n') for line in lines if line.strip()]
        if sorted(problems) == sorted(wanted):
            print(f'include_graph: the {len(wanted)} expected violations, and no others')
            return 0
        for line in sorted(set(wanted) - set(problems)):
            print(f'missed: {line}')
        for line in sorted(set(problems) - set(wanted)):
            print(f'unexpected: {line}')
        return 1
    for problem in problems:
        print(problem)
    if problems:
        print(f'include_graph: {len(problems)} include(s) against the subsystem graph')
        return 1
    print(f'include_graph: {checked} files follow the subsystem graph')
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
