"""Just enough of SQL's lexical rules to find keywords, parameter markers and column
declarations without being fooled by quoted text or comments."""

import re
from collections import namedtuple

Token = namedtuple("Token", "kind text start end")

_TOKEN = re.compile(r"""
    (?P<space>\s+)
  | (?P<comment>--[^\n]*|/\*.*?(?:\*/|\Z))
  | (?P<string>'(?:[^']|'')*'?)
  | (?P<ident>"(?:[^"]|"")*"?|`(?:[^`]|``)*`?|\[[^\]]*\]?)
  | (?P<marker>\?\d*)
  | (?P<word>[A-Za-z_][A-Za-z_0-9$]*)
  | (?P<number>\d+(?:\.\d*)?(?:[eE][+-]?\d+)?|\.\d+(?:[eE][+-]?\d+)?)
  | (?P<punct>.)
""", re.DOTALL | re.VERBOSE)


def tokens(sql, significant=True):
    """The tokens of the text; without white space and comments unless significant is False."""
    out = []
    for m in _TOKEN.finditer(sql):
        if significant and m.lastgroup in ("space", "comment"):
            continue
        out.append(Token(m.lastgroup, m.group(), m.start(), m.end()))
    return out


def first_keyword(sql):
    """The statement's first word in lower case ("" when it starts with something else)."""
    toks = tokens(sql)
    if toks and toks[0].kind == "word":
        return toks[0].text.lower()
    return ""


def replace_markers(sql, replacement="NULL"):
    """The text with every parameter marker outside quotes and comments replaced."""
    parts = []
    for tok in tokens(sql, significant=False):
        parts.append(replacement if tok.kind == "marker" else tok.text)
    return "".join(parts)


def _word(tok):
    return tok.text.lower() if tok.kind == "word" else None


# Words that end the type of a column definition, and words that start a table constraint.
_COLUMN_CONSTRAINTS = {"constraint", "primary", "not", "null", "default", "unique", "check",
                       "references", "collate", "generated", "as"}
_TABLE_CONSTRAINTS = {"constraint", "primary", "unique", "check", "foreign"}


def _type_span(column_def):
    """(start, end) in the text of the declared type of one column definition, or None."""
    if not column_def or _word(column_def[0]) in _TABLE_CONSTRAINTS:
        return None
    depth = 0
    first = last = None
    for tok in column_def[1:]:
        if depth == 0 and _word(tok) in _COLUMN_CONSTRAINTS:
            break
        if tok.text == "(":
            depth += 1
        elif tok.text == ")":
            depth -= 1
        first = first if first is not None else tok
        last = tok
    if first is None:
        return None
    return first.start, last.end


def _split_definitions(toks, open_index):
    """The column definitions between the parenthesis at open_index and its partner."""
    defs, current, depth = [], [], 0
    for tok in toks[open_index + 1:]:
        if tok.text == "(":
            depth += 1
        elif tok.text == ")":
            if depth == 0:
                defs.append(current)
                return defs
            depth -= 1
        elif tok.text == "," and depth == 0:
            defs.append(current)
            current = []
            continue
        current.append(tok)
    return []


def declared_type_spans(sql):
    """Where the column types of a CREATE TABLE (with column list) or of ALTER TABLE ... ADD
    stand in the text, as (start, end) pairs."""
    toks = tokens(sql)
    words = [_word(t) for t in toks]
    if words[:1] == ["create"]:
        i = 1
        if i < len(words) and words[i] in ("temp", "temporary"):
            i += 1
        if i >= len(words) or words[i] != "table":
            return []
        opening = next((k for k in range(i, len(toks)) if toks[k].text == "("), None)
        if opening is None or "as" in words[i:opening]:
            return []
        defs = _split_definitions(toks, opening)
    elif words[:2] == ["alter", "table"] and "add" in words:
        k = words.index("add") + 1
        if k < len(words) and words[k] == "column":
            k += 1
        defs = [toks[k:]]
    else:
        return []
    return [span for span in (_type_span(d) for d in defs) if span]


def rewrite_declared_types(sql, rewrite):
    """The text with each declared column type replaced by rewrite(type text)."""
    for start, end in reversed(declared_type_spans(sql)):
        sql = sql[:start] + rewrite(sql[start:end]) + sql[end:]
    return sql


def strip_trailing_semicolons(sql):
    return re.sub(r"[\s;]+$", "", sql)
