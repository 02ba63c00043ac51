// Validates a glTF file with the Khronos glTF validator and prints its
// report's counts, one line: "errors N warnings N infos N hints N". Exits 1
// when the file has errors or cannot be read.
//
//   node validate.js FILE.glb
const fs = require('fs');
const path = require('path');
const validator = require('gltf-validator');

const file = process.argv[2];
validator
  .validateBytes(new Uint8Array(fs.readFileSync(file)), {
    uri: path.basename(file),
    maxIssues: 0,
    externalResourceFunction: (uri) =>
      Promise.resolve(new Uint8Array(fs.readFileSync(path.join(path.dirname(file), decodeURIComponent(uri))))),
  })
  .then((report) => {
    const i = report.issues;
    console.log(`errors ${i.numErrors} warnings ${i.numWarnings} infos ${i.numInfos} hints ${i.numHints}`);
    for (const m of i.messages.filter((m) => m.severity === 0).slice(0, 5))
      console.log(`  ${m.code}: ${m.message} (${m.pointer || ''})`);
    process.exit(i.numErrors > 0 ? 1 : 0);
  })
  .catch((error) => {
    console.log(`unreadable: ${error}`);
    process.exit(1);
  });
