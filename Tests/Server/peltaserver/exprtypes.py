"""The server type of a result column that SQLite declares no type for: an expression. It is
inferred from the expression's form where that decides it (literals, CAST, known functions,
operators, the declared types of the columns it names); otherwise the values decide."""

from . import servertypes, sqltext

# The result of a function: a server type name, or one of the rules below. One function a line.
FIRST_ARGUMENT = "first argument"     # the type of the first argument whose type is known
SUM = "sum"                           # integers add up to a long, other numbers to a double
FUNCTION_TYPES = {
    "count": "long",
    "sum": SUM,
    "total": "double",
    "avg": "double",
    "min": FIRST_ARGUMENT,
    "max": FIRST_ARGUMENT,
    "abs": FIRST_ARGUMENT,
    "coalesce": FIRST_ARGUMENT,
    "ifnull": FIRST_ARGUMENT,
    "nullif": FIRST_ARGUMENT,
    "round": "double",
    "random": "long",
    "length": "integer",
    "instr": "integer",
    "unicode": "integer",
    "lower": "string",
    "upper": "string",
    "substr": "string",
    "substring": "string",
    "trim": "string",
    "ltrim": "string",
    "rtrim": "string",
    "replace": "string",
    "printf": "string",
    "format": "string",
    "group_concat": "string",
    "hex": "string",
    "quote": "string",
    "typeof": "string",
    "char": "string",
}

# What the operators outside parentheses make of an expression.
_BOOLEAN_WORDS = {"and", "or", "not", "is", "in", "like", "glob", "between", "exists", "regexp",
                  "match"}
_COMPARISONS = {"=", "<", ">", "!"}
_ARITHMETIC = {"+", "-", "*", "/", "%"}
_LITERAL_WORDS = {"null": "null", "true": "boolean", "false": "boolean"}
_NOT_ALIASES = set(_LITERAL_WORDS) | {"end"}
_NUMERIC_RANK = ["byte", "short", "integer", "long", "float", "double"]


def _strip_parentheses(toks):
    while len(toks) >= 2 and toks[0].text == "(" and toks[-1].text == ")":
        closing = next((i for i, (_, depth) in enumerate(sqltext.depth_steps(toks))
                        if depth == 0 and i > 0), None)
        if closing != len(toks) - 1:
            break
        toks = toks[1:-1]
    return toks


def _without_alias(toks):
    """The item without its alias: AS name, or a name right after a value."""
    if len(toks) < 2:
        return toks
    if sqltext.word(toks[-2]) == "as":
        return toks[:-2]
    last, before = toks[-1], toks[-2]
    named = last.kind in ("word", "ident") and sqltext.word(last) not in _NOT_ALIASES
    after_value = before.kind != "punct" or before.text == ")"
    return toks[:-1] if named and after_value else toks


def _is_column_reference(toks):
    """name, or names joined by dots (schema.table.column)."""
    return len(toks) % 2 == 1 and all(
        tok.kind in ("word", "ident") if i % 2 == 0 else tok.text == "."
        for i, tok in enumerate(toks))


def _number(text):
    if any(c in text for c in ".eE"):
        return servertypes.from_name("double")
    return servertypes.from_name("integer" if int(text) < 2**31 else "long")


def _promoted(types, least="integer"):
    """The type of arithmetic over the types: a double when one is a floating-point type,
    otherwise the widest integer type, at least the given one; None unless all are numbers."""
    if any(t is None or t.name not in _NUMERIC_RANK for t in types):
        return None
    widest = _NUMERIC_RANK[max(_NUMERIC_RANK.index(t.name) for t in types + [
        servertypes.from_name(least)])]
    return servertypes.from_name("double" if widest in ("float", "double") else widest)


class Inference:
    """Infers the types of expressions; column_type(reference text) gives the declared type of
    a column an expression names, or None."""

    def __init__(self, column_type):
        self.column_type = column_type

    def item(self, toks):
        """The server type of one select-list item, or None when its form does not decide."""
        return self.expression(_without_alias(toks))

    def expression(self, toks):
        toks = _strip_parentheses(toks)
        if not toks:
            return None
        if sqltext.word(toks[0]) == "case":
            return self._case(toks)
        outside = [tok for tok, depth in sqltext.depth_steps(toks) if depth == 0]
        doubled = {a.text for a, b in zip(outside, outside[1:])
                   if a.text == b.text and a.end == b.start and a.kind == "punct"}
        if doubled & {"<", ">"} or any(tok.text == "&" for tok in outside):
            return None     # bit operators: the values decide
        if any(sqltext.word(tok) in _BOOLEAN_WORDS or tok.text in _COMPARISONS for tok in outside):
            return servertypes.from_name("boolean")
        operands = [part for part in sqltext.split_top_level(toks, _ARITHMETIC) if part]
        if len(operands) > 1:
            return _promoted([self.expression(part) for part in operands])
        if "|" in doubled:
            return servertypes.from_name("string")
        return self._operand(operands[0] if operands else toks)

    def _case(self, toks):
        """The type of the branches (THEN and ELSE): the wider one when all are numbers,
        otherwise the first whose type is known."""
        branch, types = None, []
        for tok in toks[1:]:
            keyword = sqltext.word(tok)
            if keyword in ("when", "then", "else", "end"):
                if branch is not None:
                    types.append(self.expression(branch))
                branch = [] if keyword in ("then", "else") else None
            elif branch is not None:
                branch.append(tok)
        return _promoted(types) or next((t for t in types if t), None)

    def _operand(self, toks):
        first = toks[0]
        if len(toks) == 1 and first.kind == "number":
            return _number(first.text)
        if len(toks) == 1 and first.kind == "string":
            return servertypes.from_name("string")
        if len(toks) == 1 and sqltext.word(first) in _LITERAL_WORDS:
            return servertypes.from_name(_LITERAL_WORDS[sqltext.word(first)])
        if _is_column_reference(toks):
            return self.column_type("".join(tok.text for tok in toks))
        if first.kind == "word" and len(toks) >= 3 and toks[1].text == "(" and toks[-1].text == ")":
            return self._call(sqltext.word(first), toks[2:-1])
        return None

    def _call(self, function, inside):
        if function == "cast":
            target = [i for i, tok in enumerate(inside) if sqltext.word(tok) == "as"]
            if not target:
                return None
            return servertypes.from_name(" ".join(tok.text for tok in inside[target[-1] + 1:]))
        rule = FUNCTION_TYPES.get(function)
        if rule not in (FIRST_ARGUMENT, SUM):
            return servertypes.from_name(rule) if rule else None
        if inside and sqltext.word(inside[0]) == "distinct":
            inside = inside[1:]
        types = [self.expression(arg) for arg in sqltext.split_top_level(inside)]
        known = next((t for t in types if t), None)
        if rule == SUM and known is not None:
            return _promoted([known], least="long")
        return known
