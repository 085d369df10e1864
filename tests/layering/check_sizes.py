#!/usr/bin/env python3
"""tests/layering/check_sizes.py SOURCE_DIR [MAX_FUNCTION_LINES MAX_FILE_LINES]

Product code stays readable: no function of driver/, fontinput/, store/ or
vexofont/ longer than 60 lines (from the first line of its signature to its
closing brace) and no file with more than 400 non-blank lines. A table of
data is not a function and may be longer. Prints each one over and exits
non-zero if there is one; prints the longest function otherwise.

Functions are found by their braces: a block opened after a head that ends
in ')' (with const, noexcept, override or a trailing return type after it)
or in a member initialiser list, and not after if, for, while, switch or
catch. Comments, strings and character literals are read as blanks first.
"""
import os
import re
import sys

HEAD_OF_FUNCTION = re.compile(
    r'\)\s*(const)?\s*(noexcept)?\s*(override)?\s*(->[^{]*)?$'
    r'|\)\s*:\s*[\w:]+\(.*\)\s*$', re.S)
CONTROL = re.compile(r'\b(if|for|while|switch|catch)\s*\(')
NAME = re.compile(r'([\w:~]+)\s*\([^()]*(\([^()]*\)[^()]*)*\)[^()]*$', re.S)


def blanked(text):
    text = re.sub(r'//[^\n]*', '', text)
    text = re.sub(r'/\*.*?\*/', lambda m: '\n' * m.group(0).count('\n'), text,
                  flags=re.S)
    text = re.sub(r'"(\\.|[^"\\\n])*"', '""', text)
    return re.sub(r"'(\\.|[^'\\\n])*'", "''", text)


def functions(text):
    """Yields (first line, last line, name) of every function body."""
    stack, head, head_line, line = [], '', 1, 1
    for ch in blanked(text):
        if ch == '\n':
            line += 1
        if ch == '{':
            h = head.strip()
            last = h.split('\n')[-1] if h else ''
            inside = bool(stack) and stack[-1][0] != 'block'
            if inside:
                kind = 'inner'
            elif HEAD_OF_FUNCTION.search(h) and not CONTROL.search(last):
                kind = 'function'
            else:
                kind = 'block'
            name = NAME.search(h)
            stack.append((kind, head_line if kind == 'function' else line,
                          name.group(1) if name else '?'))
            head = ''
        elif ch == '}':
            if stack:
                kind, start, name = stack.pop()
                if kind == 'function':
                    yield start, line, name
            head = ''
        elif ch == ';':
            head = ''
        else:
            if not head.strip() and not ch.isspace():
                head_line = line
            head += ch


def main():
    root = sys.argv[1]
    max_function = int(sys.argv[2]) if len(sys.argv) > 2 else 60
    max_file = int(sys.argv[3]) if len(sys.argv) > 3 else 400
    over = []
    longest = (0, '')
    for folder in ('driver', 'fontinput', 'store', 'vexofont'):
        for directory, _, names in os.walk(os.path.join(root, folder)):
            for name in sorted(names):
                if not name.endswith(('.cc', '.h')):
                    continue
                path = os.path.join(directory, name)
                shown = os.path.relpath(path, root)
                text = open(path, encoding='utf-8').read()
                lines = sum(1 for l in text.split('\n') if l.strip())
                if lines > max_file:
                    over.append(f'{shown}: {lines} non-blank lines')
                for start, end, function in functions(text):
                    length = end - start + 1
                    if length > longest[0]:
                        longest = (length, f'{shown}:{start} {function}')
                    if length > max_function:
                        over.append(f'{shown}:{start} {function}: {length} lines')
    for entry in over:
        print(entry)
    if over:
        return 1
    print(f'no function over {max_function} lines, no file over {max_file}; '
          f'longest: {longest[1]}, {longest[0]} lines')
    return 0


if __name__ == '__main__':
    sys.exit(main())
