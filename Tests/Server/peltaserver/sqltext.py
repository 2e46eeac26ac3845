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


def word(tok):
    return tok.text.lower() if tok.kind == "word" else None


def depth_steps(toks):
    """Each token with its depth of parentheses (a parenthesis counts as outside)."""
    depth = 0
    for tok in toks:
        if tok.text == ")":
            depth -= 1
        yield tok, depth
        if tok.text == "(":
            depth += 1


def split_top_level(toks, separators=(",",)):
    """The tokens split at each separator that stands outside parentheses."""
    parts = [[]]
    for tok, depth in depth_steps(toks):
        if depth == 0 and tok.text in separators:
            parts.append([])
            continue
        parts[-1].append(tok)
    return parts


# Words that end the type of a column definition, and words that start a table constraint.
_COLUMN_CONSTRAINTS = {"constraint", "primary", "not", "null", "default", "unique", "check",
                       "references", "collate", "generated", "as"}
_TABLE_CONSTRAINTS = {"constraint", "primary", "unique", "check", "foreign"}


def _type_span(column_def):
    """(start, end) in the text of the declared type of one column definition, or None."""
    if not column_def or word(column_def[0]) in _TABLE_CONSTRAINTS:
        return None
    first = last = None
    for tok, depth in depth_steps(column_def[1:]):
        if depth == 0 and word(tok) in _COLUMN_CONSTRAINTS:
            break
        first = first if first is not None else tok
        last = tok
    if first is None:
        return None
    return first.start, last.end


def _split_definitions(toks, open_index):
    """The column definitions between the parenthesis at open_index and its partner."""
    inner = toks[open_index + 1:]
    close = next((i for i, (_, depth) in enumerate(depth_steps(inner)) if depth < 0), None)
    return [] if close is None else split_top_level(inner[:close])


def declared_type_spans(sql):
    """Where the column types of a CREATE TABLE (with column list) or of ALTER TABLE ... ADD
    stand in the text, as (start, end) pairs."""
    toks = tokens(sql)
    words = [word(t) for t in toks]
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


# Words that end the select list of a SELECT.
_AFTER_SELECT_LIST = {"from", "where", "group", "having", "window", "order", "limit", "union",
                      "intersect", "except"}


def select_list(sql):
    """(items, start, end) of the select list of the statement's own SELECT (the first one
    outside parentheses): each item's tokens, and where the list stands in the text. None when
    the statement has no such SELECT."""
    toks = tokens(sql)
    steps = list(depth_steps(toks))
    begin = next((i for i, (tok, depth) in enumerate(steps)
                  if depth == 0 and word(tok) == "select"), None)
    if begin is None:
        return None
    begin += 1
    if begin < len(toks) and word(toks[begin]) in ("distinct", "all"):
        begin += 1
    end = next((i for i in range(begin, len(toks))
                if steps[i][1] == 0 and word(toks[i]) in _AFTER_SELECT_LIST), len(toks))
    if end <= begin:
        return None
    return split_top_level(toks[begin:end]), toks[begin].start, toks[end - 1].end


def strip_trailing_semicolons(sql):
    return re.sub(r"[\s;]+$", "", sql)



def _cast_at(toks, index):
    """(first token of the expression, the AS, the closing parenthesis) of the CAST whose word
    is toks[index]; None when no complete CAST starts there."""
    if word(toks[index]) != "cast" or index + 1 >= len(toks) or toks[index + 1].text != "(":
        return None
    inner = toks[index + 2:]
    close = next((i for i, (_, depth) in enumerate(depth_steps(inner)) if depth < 0), None)
    if close is None:
        return None
    target = [i for i, (tok, depth) in enumerate(depth_steps(inner[:close]))
              if depth == 0 and word(tok) == "as"]
    if not target or target[-1] == 0:
        return None
    return inner[0], inner[target[-1]], inner[close]


def replace_casts(sql, chosen, function):
    """The text with each CAST(expression AS type) whose type text chosen(type) picks written as
    function(expression)."""
    if "cast" not in sql.lower():
        return sql      # spares large statements a second tokenizing
    toks = tokens(sql)
    index = 0
    while index < len(toks):
        found = _cast_at(toks, index)
        if found is not None and chosen(sql[found[1].end:found[2].start].strip()):
            first, as_tok, closing = found
            sql = "%s%s(%s)%s" % (sql[:toks[index].start], function,
                                  sql[first.start:as_tok.start].rstrip(), sql[closing.end:])
            toks = tokens(sql)
        index += 1
    return sql
