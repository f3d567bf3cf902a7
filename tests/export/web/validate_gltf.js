// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Validates a .glb with the Khronos glTF validator and prints its report's
// counts and messages as JSON.  Exit status 0 when it has neither errors nor
// warnings, 1 otherwise, 2 when the file cannot be read.
'use strict';
const fs = require('fs');
const validator = require('gltf-validator');

const path = process.argv[2];
let bytes;
try {
    bytes = new Uint8Array(fs.readFileSync(path));
} catch (e) {
    console.error(`cannot read ${path}: ${e.message}`);
    process.exit(2);
}
validator.validateBytes(bytes, { maxIssues: 100 }).then((report) => {
    const issues = report.issues;
    console.log(JSON.stringify({
        numErrors: issues.numErrors,
        numWarnings: issues.numWarnings,
        numInfos: issues.numInfos,
        numHints: issues.numHints,
        messages: issues.messages.map((m) => `${m.severity} ${m.code} ${m.pointer || ''}: ${m.message}`),
        info: report.info,
    }, null, 1));
    process.exit(issues.numErrors === 0 && issues.numWarnings === 0 ? 0 : 1);
}, (error) => {
    console.error(`validator failed: ${error}`);
    process.exit(2);
});
