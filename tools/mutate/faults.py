"""Finding the faults to plant in one source file.

Every fault is a span of the file and the text that replaces it. The finder reads the file with
its comments and the insides of its string and character literals blanked (same length, line
breaks kept), so that nothing in a caption or a comment looks like code; a fault's text is then
taken from the real file at the same place.
"""
import re

NUM = r"(?<![\w.])(\d+)(?![\w.])"
CMP_SWAP = {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "=="}
OPEN, CLOSE = "([{", ")]}"
# Functions whose arguments can be given in either order.
SYMMETRIC = {"min", "max", "swap", "gcd", "lcm", "hypot"}
NOT_CALLS = {"if", "for", "while", "switch", "return", "sizeof", "catch", "decltype", "static_assert",
             "alignof", "alignas", "noexcept", "requires", "defined", "throw", "co_return", "operator"}
# A statement that starts with one of these is not an assignment or a call.
NOT_EXPRESSION = re.compile(
    r"(return|break|continue|goto|throw|case|default|using|typedef|namespace|template|static_assert|delete|"
    r"else|do|if|for|while|switch|class|struct|enum|union|friend|public|private|protected|explicit|virtual|"
    r"inline|static|constexpr|consteval|constinit|const|extern|typename|auto|unsigned|signed|int|short|long|"
    r"char|bool|double|float|void|mutable|volatile|thread_local|co_return|co_await|co_yield|try|catch|"
    r"operator|new)\b")
# A declaration: a type (possibly qualified, templated, a pointer or reference: `*` and `&` written
# against the type, as the formatter writes them), then a name. `a * b` is a product.
DECLARATION = re.compile(r"(?:const\s+)?[A-Za-z_][\w:]*(?:<.*?>)?(?:::\w+)*(?:[*&]+\s*|\s+)(?:const\s+)?"
                         r"[A-Za-z_]\w*\s*(?:=|\(|\{|;|\[|,|\)|$)", re.S)
ASSIGNMENT = re.compile(r"(?<![=!<>+\-*/%&|^])(?:[+\-*/%|&^]|<<|>>)?=(?!=)|\+\+|--")


def mask_text(text):
    """The text with comments and the insides of literals blanked, the same length."""
    out = list(text)
    n, i = len(text), 0

    def blank(a, b):
        for k in range(a, b):
            if out[k] != "\n":
                out[k] = " "

    while i < n:
        c = text[i]
        if text.startswith("//", i):
            j = text.find("\n", i)
            j = n if j < 0 else j
            blank(i, j)
            i = j
        elif text.startswith("/*", i):
            j = text.find("*/", i + 2)
            j = n if j < 0 else j + 2
            blank(i, j)
            i = j
        elif text.startswith('R"', i) and (i == 0 or not (text[i - 1].isalnum() or text[i - 1] == "_")):
            k = text.find("(", i + 2)
            delim = text[i + 2:k] if k >= 0 else ""
            close = text.find(")" + delim + '"', k) if k >= 0 else -1
            end = n if close < 0 else close + len(delim) + 2
            blank(i + 2, end - 1)
            i = end
        elif c in "\"'":
            if c == "'" and i > 0 and text[i - 1].isdigit() and i + 1 < n and text[i + 1].isalnum():
                i += 1  # a digit separator
                continue
            j = i + 1
            while j < n and text[j] != c and text[j] != "\n":
                j += 2 if text[j] == "\\" else 1
            blank(i + 1, min(j, n))
            i = j + 1
        else:
            i += 1
    return "".join(out)


def match_close(m, i):
    """The index of the bracket that closes the one at i, counting every kind; None if unbalanced."""
    depth = 0
    for j in range(i, len(m)):
        if m[j] in OPEN:
            depth += 1
        elif m[j] in CLOSE:
            depth -= 1
            if depth == 0:
                return j
    return None


def match_open(m, i):
    depth = 0
    for j in range(i, -1, -1):
        if m[j] in CLOSE:
            depth += 1
        elif m[j] in OPEN:
            depth -= 1
            if depth == 0:
                return j
    return None


def prev_sig(m, i):
    j = i - 1
    while j >= 0 and m[j].isspace():
        j -= 1
    return j


def word_before(m, i):
    """The identifier that ends just before i, whitespace skipped, and where it starts."""
    j = prev_sig(m, i)
    end = j + 1
    while j >= 0 and (m[j].isalnum() or m[j] == "_"):
        j -= 1
    return m[j + 1:end], j + 1


def top_level(s):
    """s with the insides of its brackets blanked, so that only its outermost operators show."""
    out, depth = [], 0
    for c in s:
        if c in CLOSE:
            depth -= 1
        out.append(c if depth <= 0 else " ")
        if c in OPEN:
            depth += 1
    return "".join(out)


def squash(s):
    return re.sub(r"\s+", " ", s).strip()


def bump(n):
    return n + 1


def is_layout(numbers):
    # A rectangle or a size in twips: moving it by one twip cannot be seen on any screen.
    return len(numbers) in (2, 4) and all(n >= 100 or n == 0 for n in numbers) and any(n >= 100 for n in numbers)


def is_simple(masked):
    """Whether an expression is one operand (a name, a call, a member, an index, negated or not)."""
    t = top_level(masked.strip()).replace("->", "..").replace("::", "..")
    return re.fullmatch(r"!*[\w.\s()\[\]{}]*", t) is not None and not re.search(r"\w\s+\w", t)


def negation(raw, masked):
    raw = raw.strip()
    if is_simple(masked):
        if raw.startswith("!") and not raw.startswith("!!"):
            return raw[1:]
        return "!" + raw
    return "!(" + raw + ")"


class Finder:
    def __init__(self, text):
        self.text = text
        self.m = mask_text(text)
        self.starts = [0]
        for k, c in enumerate(text):
            if c == "\n":
                self.starts.append(k + 1)
        self.faults = []
        self.spans = set()
        # For every position, the `{` of the innermost block around it (-1 at file scope), and for
        # every `{` the one around it.
        self.inside, self.parent, stack = [], {}, []
        for k, c in enumerate(self.m):
            if c == "{":
                self.parent[k] = stack[-1] if stack else -1
                stack.append(k)
            self.inside.append(stack[-1] if stack else -1)
            if c == "}" and stack:
                stack.pop()

    def line_of(self, pos):
        lo, hi = 0, len(self.starts) - 1
        while lo < hi:
            mid = (lo + hi + 1) // 2
            if self.starts[mid] <= pos:
                lo = mid
            else:
                hi = mid - 1
        return lo + 1

    def masked_line(self, ln):
        end = self.starts[ln] - 1 if ln < len(self.starts) else len(self.m)
        return self.m[self.starts[ln - 1]:end]

    def add(self, start, end, op, after, alt=None):
        if (start, end, after) in self.spans:
            return
        self.spans.add((start, end, after))
        f = {"start": start, "end": end, "op": op, "before": self.text[start:end], "after": after}
        if alt is not None:
            f["alt"] = alt
        self.faults.append(f)

    # --- The first kinds: numbers, comparisons, dropped enabling and showing, line by line -------

    def numbers_and_comparisons(self, ln, line):
        base = self.starts[ln - 1]

        def add(col, end, op, after):
            self.add(base + col, base + end, op, after)

        # Timer intervals.
        for m in re.finditer(r"\btimer\(\s*\"[^\"]*\"\s*,\s*(\d+)\s*\)|\bsetInterval\(\s*(\d+)\s*\)", line):
            g = 1 if m.group(1) else 2
            n = int(m.group(g))
            add(m.start(g), m.end(g), "interval", str(n + max(1, n // 10)))
        # Tables: the entries of a constant array, or a list of plain numbers on a line of its own.
        starts_table = (re.search(r"\b(constexpr|const|static)\b.*(\[\s*\w*\s*\]|std::array<).*[={]", line)
                        or re.search(r"\b(?:constexpr|const)\s+std::(?:vector|map)<[^;]*>\s+k\w+\s*=?\s*\{", line))
        if starts_table:
            self.in_table = True
        lone_list = re.fullmatch(r"\s*\{[\d\s,-]*\}[,;]?\s*", line)
        if self.in_table or lone_list:
            body = line[starts_table.end() - 1:] if starts_table else line
            offset = len(line) - len(body)
            nums = list(re.finditer(NUM, body))
            values = [int(m.group(1)) for m in nums]
            if nums and not is_layout(values):
                # first, middle and last entry of each line: a wrong entry anywhere is the same fault
                for k in sorted({0, len(nums) // 2, len(nums) - 1}):
                    m = nums[k]
                    add(offset + m.start(1), offset + m.end(1), "table", str(bump(int(m.group(1)))))
            if self.in_table and re.search(r"[}]\s*;", line):
                self.in_table = False
            if self.in_table or lone_list:
                return
        # Named constants and the numbers compared against or assigned.
        for m in re.finditer(r"\bconstexpr\s+(?:int|short|long|double|unsigned)\s+k\w+\s*=\s*" + NUM + r"\s*;", line):
            add(m.start(1), m.end(1), "constant", str(bump(int(m.group(1)))))
        for m in re.finditer(r"(?<![<>])(?:[<>]=?|[!=]=)(?![<>])\s*" + NUM, line):  # not a shift
            if re.match(r"\s*<", line[m.start():]) and re.search(r"\w$", line[:m.start()]):
                continue  # a template argument, not a comparison
            add(m.start(1), m.end(1), "boundary", str(bump(int(m.group(1)))))
        for m in re.finditer(r"(?<![=!<>])\b(\w+)\s*=\s*" + NUM + r"\s*;", line):
            if re.search(r"\b(constexpr|const|static|case|enum)\b", line):
                continue
            add(m.start(2), m.end(2), "assign", str(bump(int(m.group(2)))))
        # Comparisons, written with a space each side.
        for m in re.finditer(r"(?<=\s)(<=|>=|==|!=|<|>)(?=\s)", line):
            add(m.start(1), m.end(1), "compare", CMP_SWAP[m.group(1)])
        # Enabling and showing controls and timers.
        for m in re.finditer(r"\b(setEnabled|setVisible)\([^;]*\);", line):
            start = receiver_start(line, m.start())
            if start is not None:
                add(start, m.end(), "drop-" + m.group(1)[3:].lower(), "{}")
        # `&&` and `||` exchanged (with a space each side: `T&& x` is a reference).
        for m in re.finditer(r"(?<=\s)(&&|\|\|)(?=\s)", line):
            add(m.start(1), m.end(1), "and-or", "||" if m.group(1) == "&&" else "&&")

    # --- Statements: dropped, and returns removed or changed -------------------------------------

    def statement_starts(self, ln, line):
        """Where a statement may begin on this line: at its start, after what ends a statement or
        opens a block; and after an `if (...)`, `for (...)`, `while (...)` or `else` on the line."""
        base = self.starts[ln - 1]
        stripped = line.lstrip()
        if not stripped:
            return []
        out = []
        p = base + len(line) - len(stripped)
        q = prev_sig(self.m, p)
        if q < 0 or self.m[q] in ";{}":
            out.append(p)
        elif self.m[q] == ":" and self.m[q - 1:q + 1] != "::":
            label = self.masked_line(self.line_of(q)).strip()
            if re.match(r"(case\b|default\b|public\b|private\b|protected\b)", label):
                out.append(p)
        elif self.m[q] == ")" and self.is_control_header(q):
            out.append(p)
        elif self.m[q - 3:q + 1] == "else" and not (self.m[q - 4:q - 3].isalnum() or self.m[q - 4:q - 3] == "_"):
            out.append(p)
        h = re.match(r"\s*(?:\}\s*)?(?:else\s+)?(?:if|for|while)\s*(?:constexpr\s*)?\(", line)
        if h:
            close = match_close(self.m, base + h.end() - 1)
            if close is not None and self.line_of(close) == ln:
                r = close + 1
                while r < len(self.m) and self.m[r] in " \t":
                    r += 1
                if r < len(self.m) and self.m[r] not in "{\n;":
                    out.append(r)
        e = re.match(r"\s*(?:\}\s*)?else\s+(?!if\b)(?=[^{\s])", line)
        if e:
            out.append(base + e.end())
        c = re.match(r"\s*(?:case\b(?:::|[^:])*|default\s*):(?!:)\s*(?=[^{\s])", line)
        if c:
            out.append(base + c.end())
        return out

    def is_control_header(self, close):
        opening = match_open(self.m, close)
        if opening is None:
            return False
        word, _ = word_before(self.m, opening)
        if word == "constexpr":
            word, _ = word_before(self.m, opening - len(" constexpr"))
        return word in ("if", "for", "while")

    def statement_end(self, p):
        """The `;` that ends the statement starting at p, when the line ends there or goes on with
        another statement; else None."""
        depth = 0
        for j in range(p, len(self.m)):
            c = self.m[j]
            if c in OPEN:
                depth += 1
            elif c in CLOSE:
                depth -= 1
                if depth < 0:
                    return None
            elif c == ";" and depth == 0:
                return j
        return None

    def header(self, opening):
        """What comes before the `{` at opening, back to the end of the statement or block before it."""
        k = max(self.m.rfind(c, 0, opening) for c in ";{}")
        return self.m[k + 1:opening]

    def in_code(self, p):
        """Whether p is inside a function's body (not at file scope, nor among a class's members)."""
        b = self.inside[p]
        while b >= 0:
            if re.search(r"\b(class|struct|union|enum|namespace)\b[^()]*$|\bnamespace\s*$|extern\s*\"", self.header(b)):
                return False
            if self.is_function_body(b):
                return True
            b = self.parent[b]
        return False

    def function_around(self, p):
        b = self.inside[p]
        while b >= 0 and not self.is_function_body(b):
            b = self.parent[b]
        return b

    def returns_reference(self, p):
        b = self.function_around(p)
        if b < 0:
            return False
        h = self.header(b)
        return bool(re.search(r"&\s*[\w:~]+\s*\(", h) or re.search(r"->\s*[\w:<>\s]+&\s*$", h))

    def block_is_function_body(self, close):
        """Whether the `}` at close ends a function's (or a lambda's) body rather than an if's, a
        loop's or a bare block."""
        opening = match_open(self.m, close)
        return opening is not None and self.is_function_body(opening)

    def is_function_body(self, opening):
        q = prev_sig(self.m, opening)
        if q < 0:
            return False
        if self.m[q] == "]":
            return True  # a lambda without parameters
        # skip trailing qualifiers: `) const {`, `) override {`, `) -> T {`
        window = max(0, opening - 300)
        tail = re.search(r"\)\s*(?:const|override|final|noexcept|mutable|->\s*[\w:<>&*\s]+|\s)*$", self.m[window:opening])
        if not tail:
            return False
        close_paren = window + tail.start()
        op = match_open(self.m, close_paren)
        if op is None:
            return False
        word, _ = word_before(self.m, op)
        return word not in ("if", "for", "while", "switch", "catch")

    def statements(self):
        for ln in range(1, len(self.starts) + 1):
            if ln in self.skipped:
                continue
            line = self.masked_line(ln)
            if line.lstrip().startswith("#"):
                continue
            todo = self.statement_starts(ln, line)
            while todo:
                p = todo.pop(0)
                if not self.in_code(p):
                    continue
                end = self.statement_end(p)
                if end is None:
                    continue
                rest = self.m[end + 1:self.starts[ln] - 1 if ln < len(self.starts) else len(self.m)]
                if rest.strip():
                    if self.line_of(end) != ln or rest.lstrip()[0] in "})":
                        continue  # part of something larger: a lambda, a for's header
                    todo.append(end + 1 + len(rest) - len(rest.lstrip()))
                st = squash(self.m[p:end])
                if re.match(r"return\b", st):
                    self.a_return(p, end, st)
                    continue
                if NOT_EXPRESSION.match(st) or DECLARATION.match(st):
                    continue
                top = top_level(st)
                is_call = re.match(r"[\w:*(]", st) and top.endswith(")")
                if is_call or ASSIGNMENT.search(top):
                    self.add(p, end + 1, "drop-statement", "{}")

    def a_return(self, p, end, st):
        value = st[len("return"):].strip()
        nxt = end + 1
        while nxt < len(self.m) and self.m[nxt].isspace():
            nxt += 1
        last_in_block = nxt < len(self.m) and self.m[nxt] == "}"
        q = prev_sig(self.m, p)
        guarded = self.m[q] == ")" and self.is_control_header(q) or self.m[q - 3:q + 1] == "else"
        if not value:
            # A bare return that ends a function changes nothing.
            if guarded or not (last_in_block and self.block_is_function_body(nxt)):
                self.add(p, end + 1, "drop-return", "{}")
            return
        raw_value = self.text[p + len("return"):end].strip()
        changed = None if self.returns_reference(p) else other_value(raw_value)
        if guarded or not last_in_block:
            # Leaving out a return that more code follows compiles; where it does not (the function
            # would end without a value), a return of another value is planted instead.
            self.add(p, end + 1, "drop-return", "{}", alt=None if changed is None else "return " + changed + ";")
        elif changed is not None:
            vs = p + self.text[p:end].index(raw_value, len("return"))
            self.add(vs, vs + len(raw_value), "return-value", changed)

    # --- Conditions: negated, and loops one step short -------------------------------------------

    def conditions(self):
        for h in re.finditer(r"\b(if|while)\s*(?:constexpr\s*)?\(", self.m):
            if self.line_of(h.start()) in self.skipped or self.masked_line(self.line_of(h.start())).lstrip().startswith("#"):
                continue
            opening = h.end() - 1
            close = match_close(self.m, opening)
            if close is None:
                continue
            cs = opening + 1
            semi = top_level(self.m[cs:close]).rfind(";")
            if semi >= 0:
                cs += semi + 1
            cond = self.m[cs:close]
            if not cond.strip() or DECLARATION.match(cond.strip()) or re.match(r"\s*(auto|const)\b", cond):
                continue
            lead = len(cond) - len(cond.lstrip())
            trail = len(cond.rstrip())
            self.add(cs + lead, cs + trail, "negate", negation(self.text[cs + lead:cs + trail], cond))
            if h.group(1) == "while":
                self.loop_bound(cs, close)
        for f in re.finditer(r"\bfor\s*\(", self.m):
            if self.line_of(f.start()) in self.skipped:
                continue
            close = match_close(self.m, f.end() - 1)
            if close is None:
                continue
            inside = top_level(self.m[f.end():close])
            parts = inside.split(";")
            if len(parts) != 3:
                continue  # a range-for has no bound
            cs = f.end() + len(parts[0]) + 1
            self.loop_bound(cs, cs + len(parts[1]))
        for q in re.finditer(r"\?", self.m):
            if self.line_of(q.start()) in self.skipped:
                continue
            cs = self.ternary_start(q.start())
            if cs is None:
                continue
            cond = self.m[cs:q.start()]
            if not cond.strip():
                continue
            lead = len(cond) - len(cond.lstrip())
            trail = len(cond.rstrip())
            self.add(cs + lead, cs + trail, "negate", negation(self.text[cs + lead:cs + trail], cond))

    def ternary_start(self, q):
        j, depth = q - 1, 0
        m = self.m
        while j >= 0:
            c = m[j]
            if c in CLOSE:
                depth += 1
            elif c in OPEN:
                if depth == 0:
                    return j + 1
                depth -= 1
            elif depth == 0:
                if c in ",;?" or (c == ":" and m[j - 1] != ":" and m[j + 1:j + 2] != ":"):
                    return j + 1
                if c == "=" and m[j + 1:j + 2] != "=" and m[j - 1] not in "=!<>":
                    return j + 1
                if c.isalnum() or c == "_":
                    k = j
                    while k >= 0 and (m[k].isalnum() or m[k] == "_"):
                        k -= 1
                    if m[k + 1:j + 1] in ("return", "throw", "co_return"):
                        return j + 1
                    j = k
                    continue
            j -= 1
        return None

    def loop_bound(self, cs, ce):
        """One round fewer: the bound of the loop's first comparison moved by one."""
        cond = self.m[cs:ce]
        top = top_level(cond)
        c = re.search(r"(?<=\s)(<=|>=|<|>|!=)(?=\s)", top)
        if not c:
            return
        rs = c.end()
        stop = re.search(r"\s(&&|\|\|)\s", top[rs:])
        re_ = rs + stop.start() if stop else len(cond)
        seg = cond[rs:re_]
        lead = len(seg) - len(seg.lstrip())
        a, b = cs + rs + lead, cs + rs + len(seg.rstrip())
        raw = self.text[a:b]
        op = c.group(1)
        if re.fullmatch(r"\d+", raw):
            if op in (">", ">="):
                return  # the boundary fault already moves a number up
            after = str(int(raw) - 1)
        else:
            wrapped = "(" + raw + ")" if re.search(r"[?&|^<>=]", top_level(self.m[a:b])) else raw
            after = wrapped + (" + 1" if op in (">", ">=") else " - 1")
        self.add(a, b, "loop-bound", after)

    # --- Arguments of a call swapped -------------------------------------------------------------

    def arguments(self):
        for c in re.finditer(r"\b([A-Za-z_]\w*)\s*(?:<[^()<>;]*>)?\(", self.m):
            name = c.group(1)
            if name in NOT_CALLS or name in SYMMETRIC or self.line_of(c.start()) in self.skipped:
                continue
            if self.m[self.starts[self.line_of(c.start()) - 1]:].lstrip().startswith("#"):
                continue
            # `Type name(...)`: a declaration or a definition, not a call
            before, _ = word_before(self.m, c.start())
            if before and before not in ("return", "else", "new", "co_return", "throw", "case", "do"):
                continue
            opening = c.end() - 1
            close = match_close(self.m, opening)
            if close is None:
                continue
            args = split_args(self.m, opening + 1, close)
            if len(args) < 2:
                continue
            kinds = [arg_kind(self.m[a:b].strip()) for a, b in args]
            if "declaration" in kinds:
                continue
            for i in range(len(args) - 1):
                (a1, b1), (a2, b2) = args[i], args[i + 1]
                k1, k2 = kinds[i], kinds[i + 1]
                if k1 != k2 or k1 == "lambda":
                    continue
                r1, r2 = self.text[a1:b1].strip(), self.text[a2:b2].strip()
                if r1 == r2 or all(re.search(r"\b(c?r?begin|c?r?end)\(", r) for r in (r1, r2)):
                    continue  # a range given end first is no mistake anyone makes
                if k1 == "number" and is_layout([int(float(x)) for x in (r1, r2) if re.fullmatch(r"\d+", x)] or [0]):
                    continue
                if k1 == "brace" and is_layout([int(x) for x in re.findall(r"\d+", r1 + " " + r2)]):
                    continue
                s1 = a1 + self.text[a1:b1].index(r1)
                e2 = a2 + self.text[a2:b2].index(r2) + len(r2)
                between = self.text[s1 + len(r1):e2 - len(r2)]
                self.add(s1, e2, "swap-args", r2 + between + r1)

    def find(self):
        self.in_table = False
        self.skipped = self.consistency_checks()
        for ln in range(1, len(self.starts) + 1):
            line = self.masked_line(ln)
            if line.strip().startswith("#") or ln in self.skipped:
                continue
            self.numbers_and_comparisons(ln, line)
        self.statements()
        self.conditions()
        self.arguments()
        self.faults.sort(key=lambda f: (f["start"], f["end"]))
        for f in self.faults:
            f["line"] = self.line_of(f["start"])
            f["col"] = f["start"] - self.starts[f["line"] - 1]
            f["last_line"] = self.line_of(max(f["start"], f["end"] - 1))
        return self.faults

    def consistency_checks(self):
        """The lines of a consistency check that only the random player reads: a fault there only
        weakens or breaks the check, not the game."""
        skipped = set()
        for h in re.finditer(r"\bcheckInvariants\s*\(\s*\)\s*const\s*(?:override\s*)?\{", self.m):
            close = match_close(self.m, h.end() - 1)
            if close is not None:
                skipped.update(range(self.line_of(h.start()), self.line_of(close) + 1))
        return skipped


def other_value(raw):
    """Another value of the same type for a returned expression; None when there is none to give."""
    v = raw.strip()
    if v == "true":
        return "false"
    if v == "false":
        return "true"
    if re.fullmatch(r"-?\d+", v):
        return str(int(v) + 1)
    if v in ("{}", "nullptr", '""', "std::nullopt") or v.startswith("std::move("):
        return None
    return "{}"


def split_args(m, a, b):
    """The spans of the top-level arguments between a and b (commas inside brackets, and inside the
    angle brackets of a template's arguments, are skipped)."""
    out, depth, angle, start = [], 0, 0, a
    for j in range(a, b):
        c = m[j]
        if c in OPEN:
            depth += 1
        elif c in CLOSE:
            depth -= 1
        elif depth == 0 and c == "<" and j > 0 and (m[j - 1].isalnum() or m[j - 1] == "_") and m[j + 1:j + 2] != "<":
            angle += 1
        elif depth == 0 and c == ">" and angle > 0 and m[j - 1] != "-":
            angle -= 1
        elif c == "," and depth == 0 and angle == 0:
            out.append((start, j))
            start = j + 1
    if m[start:b].strip():
        out.append((start, b))
    return out


def arg_kind(masked):
    if not masked:
        return "empty"
    if re.fullmatch(r'(?:\w*"\s*"\s*)+', masked):
        return "string"
    if re.fullmatch(r"'\s*'", masked):
        return "char"
    if re.fullmatch(r"-?\d[\d.]*[fFuUlL]*", masked):
        return "number"
    if masked.startswith("{"):
        return "brace"
    if masked.startswith("["):
        return "lambda"
    if masked.startswith("&") and "::" in masked:
        return "member"
    if DECLARATION.fullmatch(masked + ")") or re.match(r"(const|unsigned|int|short|long|double|float|bool|char|auto)\b", masked):
        return "declaration"
    return "other"


def receiver_start(line, pos):
    """Where the expression whose member is called at pos begins, walking back over names, `.`, `->`
    and bracketed indices; None for a call without a receiver."""
    i = pos
    while i > 0:
        c = line[i - 1]
        if c in ")]":
            close, opening, level = c, "(" if c == ")" else "[", 0
            while i > 0:
                i -= 1
                level += line[i] == close
                level -= line[i] == opening
                if level == 0:
                    break
            continue
        if c.isalnum() or c in "_.:*&" or (c == ">" and line[i - 2:i] == "->") or (c == "-" and line[i:i + 1] == ">"):
            i -= 1
            continue
        break
    return i if i < pos else None


def find_faults(text):
    """Every fault of one file, in file order: dicts with start, end (offsets in the text), line,
    col, op, before, after and, for a few, alt: what to plant instead when `after` does not build."""
    return Finder(text).find()
